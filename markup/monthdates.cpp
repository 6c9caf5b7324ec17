#include "markup/monthdates.h"

uint16_t DaysInMonth(uint16_t Month, uint16_t Year)
{
    return static_cast<uint16_t>(DaysInAMonth(Year, Month));
}

TDateTime EndOfMonth(TDateTime Date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(Date, year, month, day);
    return EncodeDate(year, month, DaysInAMonth(year, month));
}

uint16_t NextMonth(uint16_t Month)
{
    return Month >= 12 ? 1 : Month + 1;
}

int Limit(int Value, int Min, int Max)
{
    if (Value > Max) return Max;
    if (Value < Min) return Min;
    return Value;
}
