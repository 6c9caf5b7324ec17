#pragma once

// Day arithmetic shared by the rule parser and the occurrence stepper. A TDateTime before
// 1899-12-30 keeps its time of day as a subtracted fraction, so adding whole days must
// go through the day and time parts to stay on the same clock time.

#include "platform/datetime.h"
#include "platform/numeric.h"

#include <cmath>
#include <cstdint>

namespace recurrence_detail {

// The calendar the platform encodes: 0001-01-01 to 9999-12-31, any time of day.
constexpr double FirstDay = -693593.0;
constexpr double LastDay = 2958465.0;

inline bool InCalendarRange(TDateTime value)
{
    return value > FirstDay - 1.0 && value < LastDay + 1.0; // false for NaN too
}

inline TDateTime JoinDateTime(double day, double timeOfDay)
{
    return day >= 0 ? day + timeOfDay : day - timeOfDay;
}

inline TDateTime AddDays(TDateTime value, int64_t days)
{
    const double shifted = value + static_cast<double>(days);
    if (value >= 0 && shifted >= 0) return shifted;
    return JoinDateTime(DateOf(value) + static_cast<double>(days), TimeOf(value));
}

// A value on a straight time line, so that earlier and later compare as numbers.
inline double Linear(TDateTime value)
{
    return value >= 0 ? value : DateOf(value) + TimeOf(value);
}

// The instant in whole milliseconds on the same straight line: the platform's resolution.
inline int64_t ToMilliseconds(TDateTime value)
{
    return static_cast<int64_t>(DateOf(value)) * MSecsPerDay +
           static_cast<int64_t>(Round(TimeOf(value) * MSecsPerDay));
}

inline TDateTime FromMilliseconds(int64_t msec)
{
    int64_t day = msec / MSecsPerDay;
    int64_t ofDay = msec % MSecsPerDay;
    if (ofDay < 0) {
        --day;
        ofDay += MSecsPerDay;
    }
    return JoinDateTime(static_cast<double>(day), static_cast<double>(ofDay) / MSecsPerDay);
}

// Back from the straight line of Linear.
inline TDateTime FromLinear(double value)
{
    if (value >= 0) return value;
    const double day = std::floor(value);
    return JoinDateTime(day, value - day);
}

// The platform's month increment (day clamped to the month's length, time kept), false
// instead of an error when the result would leave the calendar.
inline bool TryAddMonths(TDateTime value, int64_t months, TDateTime& result)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    const int64_t target = static_cast<int64_t>(year) * 12 + (month - 1) + months;
    if (target < 12 || target >= 10000 * 12) return false;
    result =
        IncMonth(value, static_cast<int>(target - (static_cast<int64_t>(year) * 12 + month - 1)));
    return true;
}

} // namespace recurrence_detail
