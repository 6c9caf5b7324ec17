// The occurrence stepper: ApplyFreq finds the next occurrence start after a given one.
// (1) Listed hours are handed out from the by-hour cursor before the day moves on.
// Hourly, daily and weekly rules then step by their interval (weekly rules with weekdays
// walk day by day and jump the skipped weeks at each Monday) until a start falls on a
// listed weekday and in a listed month. Monthly and yearly rules go through the month:
// (2) the listed weekdays in the rest of the month, else back to its 1st; (3) yearly
// rules hand the listed months out from the by-month cursor; (4) the step by the
// interval; (5) the listed weekdays within the month reached. Every search is bounded,
// and a step that lands on no listed weekday or month says so, so that Generate can pass
// over it instead of taking a wrong day.

#include "recurrence/recurrencyhandler.h"

#include "recurrence/calendarmath_p.h"

#include "platform/exceptions.h"

using namespace recurrence_detail;

namespace {

// A weekday search that has found nothing after a year of days gives up for this step.
constexpr int SearchDays = 366;
constexpr int64_t MSecsPerHour = 3600000;
constexpr int Monday = 2;

// Hourly, daily and weekly rules take listed weekdays and months as a filter on their
// own steps; a search bounded by the month would circle back to its 1st.
bool StepsWithinAMonth(TRecurrencyFrequency frequency)
{
    return frequency == rfHourly || frequency == rfDaily || frequency == rfWeekly;
}

int DayOfMonth(TDateTime value)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    return day;
}

// The same day and time in another month of the same year; the day is clamped to the
// month's length (31 January with February gives the 28th or 29th).
bool TryWithMonth(TDateTime value, int month, TDateTime& result)
{
    if (month < 1 || month > 12) return false;
    int year = 0, oldMonth = 0, day = 0;
    DecodeDate(value, year, oldMonth, day);
    day = std::min(day, DaysInAMonth(year, month));
    result = JoinDateTime(EncodeDate(year, month, day), TimeOf(value));
    return true;
}

} // namespace

uint8_t TRecurrencyHandler::GetDayNum(int index) const
{
    return index >= 1 && index <= 7 ? m_dayNumbers[static_cast<size_t>(index)] : 0;
}

void TRecurrencyHandler::SetDayNum(int index, uint8_t value)
{
    if (index >= 1 && index <= 7) m_dayNumbers[static_cast<size_t>(index)] = value;
}

TDateTime TRecurrencyHandler::ApplyFreq(TDateTime value, TRecurrencyFrequency frequency,
                                        int interval)
{
    const TStep step = Advance(value, frequency, interval);
    if (!step.InRange)
        throw EConvertError(QStringLiteral("The next occurrence lies outside the calendar"));
    return step.Value;
}

TRecurrencyHandler::TStep TRecurrencyHandler::Advance(TDateTime value,
                                                      TRecurrencyFrequency frequency, int interval)
{
    if (!InCalendarRange(value)) return {value, false, false};
    if (!m_byHour.IsEmpty()) {
        TStep atHour{};
        if (TakeListedHour(value, atHour)) return atHour;
        if (!InCalendarRange(value)) return {value, false, false};
    }
    if (StepsWithinAMonth(frequency) && (!m_byDay.IsEmpty() || !m_byMonth.IsEmpty())) {
        if (frequency == rfWeekly && !m_byDay.IsEmpty()) return SearchWeekly(value, interval);
        return SearchByStepping(value, frequency, interval);
    }
    return AdvanceThroughMonth(value, frequency, interval);
}

bool TRecurrencyHandler::TakeListedHour(TDateTime& value, TStep& result)
{
    const int cursor = m_byHour.Index();
    if (cursor >= 0 && cursor < m_byHour.Count()) {
        m_byHour.SetIndex(cursor + 1);
        const TDateTime atHour = AtListedHour(value, m_byHour.GetInteger(cursor));
        result = {atHour, true, InCalendarRange(atHour)};
        return true;
    }
    // All hours of this day given: the day moves on from its first listed hour.
    value = AtListedHour(value, m_byHour.GetInteger(0));
    m_byHour.SetIndex(1);
    return false;
}

TRecurrencyHandler::TStep TRecurrencyHandler::AdvanceThroughMonth(TDateTime value,
                                                                  TRecurrencyFrequency frequency,
                                                                  int interval)
{
    const bool listsDays = !m_byDay.IsEmpty();
    // Monthly rules take listed months as a filter; yearly rules (and rules without a
    // frequency) hand the listed months out one by one from the month cursor.
    const bool filtersMonths = frequency == rfMonthly && !m_byMonth.IsEmpty();

    if (listsDays && SearchInMonth(value))
        return {value, !filtersMonths || InListedMonth(value), true};

    if (!m_byMonth.IsEmpty() && !filtersMonths) {
        const int cursor = m_byMonth.Index();
        if (cursor >= 0 && cursor < m_byMonth.Count()) {
            m_byMonth.SetIndex(cursor + 1);
            TDateTime moved = value;
            if (!TryWithMonth(value, m_byMonth.GetInteger(cursor), moved))
                return {value, false, true};
            // The listed weekday within the new month, not the month's raw day.
            if (listsDays) return MatchWithinMonth(moved);
            return {moved, true, true};
        }
        if (!TryWithMonth(value, m_byMonth.GetInteger(0), value)) return {value, false, true};
        m_byMonth.SetIndex(1);
    }

    TDateTime next = value;
    if (!Step(value, frequency, interval, next)) return {next, false, false};
    TStep step = listsDays ? MatchWithinMonth(next) : TStep{next, true, true};
    if (filtersMonths && !InListedMonth(step.Value)) step.Matched = false;
    return step;
}

TDateTime TRecurrencyHandler::AtListedHour(TDateTime value, int hour) const
{
    // Millisecond arithmetic keeps minutes and seconds and gives the same value as
    // encoding the date and time afresh.
    const int64_t msec = ToMilliseconds(value);
    int64_t ofDay = msec % MSecsPerDay;
    if (ofDay < 0) ofDay += MSecsPerDay;
    return FromMilliseconds(msec - ofDay + hour * MSecsPerHour + ofDay % MSecsPerHour);
}

bool TRecurrencyHandler::MatchesWeekDay(int weekDay, int dayOfMonth) const
{
    if (!m_weekDays.test(static_cast<size_t>(weekDay))) return false;
    const int ordinal = m_dayNumbers[static_cast<size_t>(weekDay)];
    return ordinal == 0 || ordinal == (dayOfMonth - 1) / 7 + 1;
}

bool TRecurrencyHandler::MatchesByDay(TDateTime value) const
{
    return MatchesWeekDay(DayOfWeek(value), DayOfMonth(value));
}

bool TRecurrencyHandler::InListedMonth(TDateTime value) const
{
    if (m_byMonth.IsEmpty()) return true;
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    return m_byMonth.HasValue(month);
}

bool TRecurrencyHandler::Accepts(TDateTime value) const
{
    return (m_byDay.IsEmpty() || MatchesByDay(value)) && InListedMonth(value);
}

TRecurrencyHandler::TStep TRecurrencyHandler::SearchByStepping(TDateTime value,
                                                               TRecurrencyFrequency frequency,
                                                               int interval) const
{
    // The candidates are value + k steps. A day or month that the lists turn down is
    // passed over whole, so that an hourly rule does not try each of its hours.
    int64_t unit = MSecsPerDay;
    if (frequency == rfHourly)
        unit = MSecsPerHour;
    else if (frequency == rfWeekly)
        unit = 7 * MSecsPerDay;
    const int64_t step = unit * interval;
    if (step <= 0) return {value, false, true};
    const int64_t origin = ToMilliseconds(value);
    const int64_t horizon = origin + SearchDays * int64_t{MSecsPerDay};
    for (int64_t k = 1;;) {
        const int64_t at = origin + k * step;
        const TDateTime candidate = FromMilliseconds(at);
        if (!InCalendarRange(candidate)) return {candidate, false, false};
        int64_t retryFrom = 0;
        if (AcceptsAt(candidate, at, retryFrom)) return {candidate, true, true};
        if (at > horizon) return {candidate, false, true};
        k = std::max(k + 1, (retryFrom - origin + step - 1) / step);
    }
}

bool TRecurrencyHandler::AcceptsAt(TDateTime value, int64_t msec, int64_t& retryFrom) const
{
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    int64_t dayStart = msec - msec % MSecsPerDay;
    if (msec % MSecsPerDay < 0) dayStart -= MSecsPerDay;
    if (!m_byMonth.IsEmpty() && !m_byMonth.HasValue(month)) {
        retryFrom = dayStart + int64_t{DaysInAMonth(year, month) - day + 1} * MSecsPerDay;
        return false;
    }
    if (!m_byDay.IsEmpty() && !MatchesWeekDay(DayOfWeek(value), day)) {
        retryFrom = dayStart + MSecsPerDay;
        return false;
    }
    return true;
}

TRecurrencyHandler::TStep TRecurrencyHandler::SearchWeekly(TDateTime value, int interval) const
{
    const int64_t skippedDays = interval > 1 ? 7 * (static_cast<int64_t>(interval) - 1) : 0;
    TDateTime current = value;
    for (int walked = 0; walked < SearchDays; ++walked) {
        current = AddDays(current, 1);
        if (skippedDays > 0 && DayOfWeek(current) == Monday)
            current = AddDays(current, skippedDays);
        if (!InCalendarRange(current)) return {current, false, false};
        if (Accepts(current)) return {current, true, true};
    }
    return {current, false, true};
}

bool TRecurrencyHandler::SearchInMonth(TDateTime& value) const
{
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    const int days = DaysInAMonth(year, month);
    int weekDay = DayOfWeek(value);
    for (int later = day + 1; later <= days; ++later) {
        weekDay = weekDay % 7 + 1;
        if (MatchesWeekDay(weekDay, later)) {
            value = AddDays(value, later - day);
            return true;
        }
    }
    // Start the month over from its 1st; the time of day stays that of the series, so
    // that the second Tuesday of each month keeps the gig's starting time.
    value = AddDays(value, 1 - day);
    return false;
}

TRecurrencyHandler::TStep TRecurrencyHandler::MatchWithinMonth(TDateTime value) const
{
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    const int days = DaysInAMonth(year, month);
    int weekDay = DayOfWeek(value);
    for (int later = day; later <= days; ++later) {
        if (MatchesWeekDay(weekDay, later)) return {AddDays(value, later - day), true, true};
        weekDay = weekDay % 7 + 1;
    }
    return {value, false, true};
}

bool TRecurrencyHandler::Step(TDateTime value, TRecurrencyFrequency frequency, int interval,
                              TDateTime& result) const
{
    switch (frequency) {
    case rfHourly:
        result = FromMilliseconds(ToMilliseconds(value) + interval * MSecsPerHour);
        break;
    case rfDaily:
        result = AddDays(value, interval);
        break;
    case rfWeekly:
        result = AddDays(value, 7 * static_cast<int64_t>(interval));
        break;
    case rfMonthly:
        if (!TryAddMonths(value, interval, result)) return false;
        break;
    case rfYearly:
        if (!TryAddMonths(value, 12 * static_cast<int64_t>(interval), result)) return false;
        break;
    default:
        result = value;
    }
    return InCalendarRange(result);
}
