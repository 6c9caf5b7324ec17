#pragma once

#include "platform/datetime.h"

#include <QString>

// Weekdays are numbered 1 = Sunday ... 7 = Saturday, as the platform's DayOfWeek.

// The nearest later date (1 to 7 days on for a weekday 1 to 7) that falls on weekDay;
// the time of day is kept.
TDateTime NextDayOfWeek(TDateTime date, int weekDay);

// Which occurrence of its weekday the date is within its month: 1 for the first Monday
// of a month, 2 for the second ...
int WeekDayInMonth(TDateTime date);

// Date-time text of rules: YYYYMMDDTHHMMSS, milliseconds dropped. The year is written
// with four digits so that the text reads back by position for every year.
QString DateTimeToRuleText(TDateTime value);
// Reads the fields by position, leniently (a field that is no number counts as 0);
// raises EConvertError when they name no real date or time.
TDateTime RuleTextToDateTime(const QString& text);
