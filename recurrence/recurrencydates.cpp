#include "recurrence/recurrencydates.h"

#include "recurrence/calendarmath_p.h"

#include "platform/strutils.h"

using namespace recurrence_detail;

TDateTime NextDayOfWeek(TDateTime date, int weekDay)
{
    int64_t days = static_cast<int64_t>(weekDay) - DayOfWeek(date);
    if (days < 1) days += (7 - days) / 7 * 7; // whole weeks up to the first positive day
    return AddDays(date, days);
}

int WeekDayInMonth(TDateTime date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return (day - 1) / 7 + 1;
}

QString DateTimeToRuleText(TDateTime value)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDateTime(value, year, month, day, hour, minute, second, msec);
    return QStringLiteral("%1%2%3T%4%5%6")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'))
        .arg(second, 2, 10, QLatin1Char('0'));
}

TDateTime RuleTextToDateTime(const QString& text)
{
    const auto field = [&text](int position, int length) {
        return StrToIntDef(Copy(text, position, length), 0);
    };
    const TDateTime date = EncodeDate(field(1, 4), field(5, 2), field(7, 2));
    const TDateTime time = EncodeTime(field(10, 2), field(12, 2), field(14, 2), 0);
    return JoinDateTime(date, time);
}
