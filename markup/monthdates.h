#pragma once

#include "platform/datetime.h"

#include <cstdint>

// Days in a month of the Gregorian calendar; 0 for a month outside 1..12.
uint16_t DaysInMonth(uint16_t Month, uint16_t Year);
// The last day of the month that holds Date, at midnight.
TDateTime EndOfMonth(TDateTime Date);
// The month after Month, 1 after December (and after any month beyond it).
uint16_t NextMonth(uint16_t Month);
// Value kept within Min..Max (Max wins when Min > Max).
int Limit(int Value, int Min, int Max);
