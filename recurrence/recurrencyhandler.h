#pragma once

#include "recurrence/dateitems.h"
#include "recurrence/intlist.h"
#include "recurrence/recurrencydates.h"

#include "platform/datetime.h"

#include <QString>

#include <array>
#include <bitset>
#include <cstdint>

// Stored order 0 to 5; the last is spelled frNone.
enum TRecurrencyFrequency { rfHourly, rfDaily, rfWeekly, rfMonthly, rfYearly, frNone };

// Expands one scheduled span (StartTime to EndTime) and a recurrence rule into the list of
// its occurrences, and writes parsed settings back as rule text. The rule is a subset of
// iCalendar RRULE text with an appended "#EXDATES:" list of excluded occurrences, e.g.
//   RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,3FR#EXDATES:20240105T090000/20240105T100000
// One handler serves many records: every Generate parses Recurrency afresh.
class TRecurrencyHandler
{
public:
    TRecurrencyHandler() = default;
    TRecurrencyHandler(const TRecurrencyHandler&) = delete;
    TRecurrencyHandler& operator=(const TRecurrencyHandler&) = delete;

    const QString& Recurrency() const { return m_recurrency; }
    void SetRecurrency(const QString& value) { m_recurrency = value; }
    TDateTime StartTime() const { return m_startTime; }
    void SetStartTime(TDateTime value) { m_startTime = value; }
    TDateTime EndTime() const { return m_endTime; }
    void SetEndTime(TDateTime value) { m_endTime = value; }
    TRecurrencyFrequency Frequency() const { return m_frequency; }
    void SetFrequency(TRecurrencyFrequency value) { m_frequency = value; }
    // 0 = no COUNT.
    int RepeatCount() const { return m_repeatCount; }
    void SetRepeatCount(int value) { m_repeatCount = value; }
    // 0 = no UNTIL. Generation takes its own end from TimeSpan or the 100-year horizon and
    // leaves this as parsed, so that Compose never writes a limit the rule did not have.
    TDateTime RepeatUntil() const { return m_repeatUntil; }
    void SetRepeatUntil(TDateTime value) { m_repeatUntil = value; }
    int Interval() const { return m_interval; }
    void SetInterval(int value) { m_interval = value; }
    // End of generation for a rule with neither COUNT nor UNTIL; 0 = 100 years on.
    TDateTime TimeSpan() const { return m_timeSpan; }
    void SetTimeSpan(TDateTime value) { m_timeSpan = value; }

    // The generated occurrences, the first one (StartTime, EndTime) included.
    TDateItems& Dates() { return m_dates; }
    const TDateItems& Dates() const { return m_dates; }
    // The excluded occurrences of the rule's "#EXDATES:" section.
    TDateItems& ExDates() { return m_exDates; }
    const TDateItems& ExDates() const { return m_exDates; }
    TIntList& ByMonth() { return m_byMonth; }
    TIntList& ByDay() { return m_byDay; }
    TIntList& ByHour() { return m_byHour; }
    // Weekdays 1 (Sunday) to 7 (Saturday) named in BYDAY; other members are never used.
    std::bitset<256>& WeekDays() { return m_weekDays; }
    const std::bitset<256>& WeekDays() const { return m_weekDays; }
    // Ordinal of weekday index (1 to 7) within its month, 0 = every such weekday; other
    // indexes read 0 and are not written.
    uint8_t GetDayNum(int index) const;
    void SetDayNum(int index, uint8_t value);

    // Occurrences one generation may hold at most: a guard against rules such as an
    // hourly COUNT of two billion, far above the 876,600 of a century of hours.
    int MaxOccurrences() const { return m_maxOccurrences; }
    void SetMaxOccurrences(int value) { m_maxOccurrences = value; }

    // Reads Recurrency into the settings. Raises EConvertError for BYDAY, BYHOUR or
    // BYMONTH values that are not integers and for impossible date-time texts.
    void Parse();
    // The rule text of the current settings.
    QString Compose() const;
    // The next occurrence start after value; advances the list cursors. Raises
    // EConvertError when that start would lie outside the years 1 to 9999.
    TDateTime ApplyFreq(TDateTime value, TRecurrencyFrequency frequency, int interval);
    // Rebuilds the occurrence list from Recurrency, StartTime, EndTime and TimeSpan.
    void Generate();
    // Walks the occurrences, the first included; false once they are all given.
    bool NextDate(TDateTime& startDate, TDateTime& endDate);
    bool IsRecurrent() const { return m_dates.Count() >= 2; }
    TDateTime RecurrentMinDate() const { return m_startTime; }
    // End of the last occurrence; EndTime when there is none.
    TDateTime RecurrentMaxDate() const;

private:
    // One step of the stepper: where it landed, whether that is an occurrence of the rule
    // (false when a BYDAY search ran out) and whether it is still a date of the calendar.
    struct TStep
    {
        TDateTime Value;
        bool Matched;
        bool InRange;
    };

    void ResetSettings();
    void ReadPart(const QString& name, const QString& value);
    void ReadByDay(QString value);
    void ReadExceptions(const QString& normalised);
    void Expand(TDateTime limit, double duration);
    void RemoveExceptions();

    TStep Advance(TDateTime value, TRecurrencyFrequency frequency, int interval);
    bool TakeListedHour(TDateTime& value, TStep& result);
    TStep AdvanceThroughMonth(TDateTime value, TRecurrencyFrequency frequency, int interval);
    TDateTime AtListedHour(TDateTime value, int hour) const;
    bool MatchesWeekDay(int weekDay, int dayOfMonth) const;
    bool MatchesByDay(TDateTime value) const;
    bool InListedMonth(TDateTime value) const;
    bool Accepts(TDateTime value) const;
    // Whether value (msec on the straight time line) passes the weekday and month lists;
    // when not, retryFrom is where the refused day or month ends.
    bool AcceptsAt(TDateTime value, int64_t msec, int64_t& retryFrom) const;
    TStep SearchByStepping(TDateTime value, TRecurrencyFrequency frequency, int interval) const;
    TStep SearchWeekly(TDateTime value, int interval) const;
    bool SearchInMonth(TDateTime& value) const;
    TStep MatchWithinMonth(TDateTime value) const;
    bool Step(TDateTime value, TRecurrencyFrequency frequency, int interval,
              TDateTime& result) const;

    QString m_recurrency;
    TDateTime m_endTime = 0;
    TDateTime m_startTime = 0;
    int m_dateIndex = 0;
    TDateItems m_dates;
    TDateItems m_exDates;
    TRecurrencyFrequency m_frequency = frNone;
    int m_repeatCount = 0;
    TDateTime m_repeatUntil = 0;
    int m_interval = 1;
    TIntList m_byMonth;
    TIntList m_byDay;
    TIntList m_byHour;
    std::bitset<256> m_weekDays;
    std::array<uint8_t, 8> m_dayNumbers{}; // index 0 unused
    TDateTime m_timeSpan = 0;
    int m_maxOccurrences = 1000000;
};
