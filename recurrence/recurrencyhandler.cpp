// Rule text in and out, and the generation loop. Generation asks the stepper
// (recurrencystep.cpp) for one start after another and keeps a start only when it is an
// occurrence of the rule and comes after the previous one; a rule that stops moving
// forward, leaves the calendar or exceeds MaxOccurrences ends the list there.

#include "recurrence/recurrencyhandler.h"

#include "recurrence/calendarmath_p.h"

#include "platform/strutils.h"

#include <QStringList>

#include <algorithm>

using namespace recurrence_detail;

namespace {

// Steps in a row that yield no occurrence before generation gives up. Sound rules skip
// a few at most (months without a fifth Friday, hours before the start's own hour).
constexpr int MaxRejectedSteps = 1000;

const char* const FrequencyWords[] = {"HOURLY", "DAILY", "WEEKLY", "MONTHLY", "YEARLY"};

// Indexed by weekday - 1 (Sunday first); Compose lists Monday first and Sunday last.
const char* const DayCodes[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr int ComposeDayOrder[] = {2, 3, 4, 5, 6, 7, 1};

QString Normalised(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace()) result += c.toUpper();
    }
    return result;
}

// Hours and months are sets: a list in ascending order, each value once, lets the
// cursors hand them out in time order. Values that name no hour or month are left out.
void KeepSortedWithin(TIntList& list, int low, int high)
{
    std::vector<int> values;
    for (int value : list.Values()) {
        if (value >= low && value <= high) values.push_back(value);
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    list.Clear();
    for (int value : values)
        list.Add(value);
}

int64_t StartMilliseconds(const TDateItems& items, int index)
{
    return ToMilliseconds(items.Items(index)->StartDate());
}

} // namespace

void TRecurrencyHandler::ResetSettings()
{
    m_frequency = frNone;
    m_repeatCount = 0;
    m_repeatUntil = 0;
    m_interval = 1;
    m_byMonth.Clear();
    m_byDay.Clear();
    m_byHour.Clear();
    m_weekDays.reset();
    m_dayNumbers.fill(0);
    m_exDates.Clear();
}

void TRecurrencyHandler::Parse()
{
    ResetSettings();
    const QString normalised = Normalised(m_recurrency);
    QString rule = normalised.left(normalised.indexOf(QLatin1Char('#')));
    const int prefix = rule.indexOf(QLatin1String("RRULE:"));
    if (prefix >= 0) rule.remove(0, prefix + 6);
    for (const QString& part : rule.split(QLatin1Char(';'))) {
        const int equals = part.indexOf(QLatin1Char('='));
        if (equals >= 0) ReadPart(part.left(equals), part.mid(equals + 1));
    }
    // With weekdays and months both listed, the start's own month counts as the first
    // listed one, so the month cursor begins at the second.
    if (!m_byDay.IsEmpty() && !m_byMonth.IsEmpty()) m_byMonth.SetIndex(1);
    ReadExceptions(normalised);
}

void TRecurrencyHandler::ReadPart(const QString& name, const QString& value)
{
    if (name == QLatin1String("FREQ")) {
        for (int i = rfHourly; i <= rfYearly; ++i) {
            if (value.contains(QLatin1String(FrequencyWords[i]))) {
                m_frequency = static_cast<TRecurrencyFrequency>(i);
                break;
            }
        }
    } else if (name == QLatin1String("COUNT")) {
        m_repeatCount = StrToIntDef(value, 0);
    } else if (name == QLatin1String("UNTIL")) {
        m_repeatUntil = RuleTextToDateTime(value);
    } else if (name == QLatin1String("INTERVAL")) {
        // An interval below 1 would never move on.
        m_interval = std::max(1, StrToIntDef(value, 1));
    } else if (name == QLatin1String("BYDAY")) {
        ReadByDay(value);
    } else if (name == QLatin1String("BYHOUR")) {
        m_byHour.SetStrValue(value);
        KeepSortedWithin(m_byHour, 0, 23);
        m_byHour.SetIndex(0);
    } else if (name == QLatin1String("BYMONTH")) {
        m_byMonth.SetStrValue(value);
        KeepSortedWithin(m_byMonth, 1, 12);
        m_byMonth.SetIndex(0);
    }
}

void TRecurrencyHandler::ReadByDay(QString value)
{
    // Each entry becomes ordinal * 10 + weekday: 2TU is 23, MO is 2.
    for (int weekDay = 1; weekDay <= 7; ++weekDay)
        value.replace(QLatin1String(DayCodes[weekDay - 1]), QString::number(weekDay));
    m_byDay.SetStrValue(value);
    m_byDay.SetIndex(0);
    m_weekDays.reset();
    for (int entry : m_byDay.Values()) {
        // A negative ordinal (-1FR) means nothing here; it names no weekday.
        const int weekDay = entry % 10;
        if (entry < 0 || weekDay < 1 || weekDay > 7) continue;
        m_weekDays.set(static_cast<size_t>(weekDay));
        m_dayNumbers[static_cast<size_t>(weekDay)] =
            static_cast<uint8_t>(std::min(entry / 10, 255));
    }
}

void TRecurrencyHandler::ReadExceptions(const QString& normalised)
{
    const QLatin1String marker("#EXDATES:");
    const int at = normalised.indexOf(marker);
    if (at < 0) return;
    const QStringList pairs = normalised.mid(at + marker.size()).split(QLatin1Char(','));
    for (const QString& pair : pairs) {
        const int slash = pair.indexOf(QLatin1Char('/'));
        if (slash < 0) continue;
        const TDateTime start = RuleTextToDateTime(pair.left(slash));
        const TDateTime end = RuleTextToDateTime(pair.mid(slash + 1));
        m_exDates.Add(start, end);
    }
}

QString TRecurrencyHandler::Compose() const
{
    QString rule = QStringLiteral("RRULE:FREQ=");
    if (m_frequency >= rfHourly && m_frequency <= rfYearly)
        rule += QLatin1String(FrequencyWords[m_frequency]);
    if (m_repeatCount > 0) rule += QStringLiteral(";COUNT=%1").arg(m_repeatCount);
    // Any set date, those before 1899-12-30 (negative) included.
    if (m_repeatUntil != 0) rule += QStringLiteral(";UNTIL=") + DateTimeToRuleText(m_repeatUntil);
    if (m_interval > 1) rule += QStringLiteral(";INTERVAL=%1").arg(m_interval);
    if (!m_byMonth.IsEmpty()) rule += QStringLiteral(";BYMONTH=") + m_byMonth.StrValue();

    QStringList days;
    for (int weekDay : ComposeDayOrder) {
        if (!m_weekDays.test(static_cast<size_t>(weekDay))) continue;
        const int ordinal = m_dayNumbers[static_cast<size_t>(weekDay)];
        days << (ordinal > 0 ? QString::number(ordinal) : QString()) +
                    QLatin1String(DayCodes[weekDay - 1]);
    }
    if (!days.isEmpty()) rule += QStringLiteral(";BYDAY=") + days.join(QLatin1Char(','));
    // The hours are part of the rule too: leaving them out would lose them on a round trip.
    if (!m_byHour.IsEmpty()) rule += QStringLiteral(";BYHOUR=") + m_byHour.StrValue();

    if (m_exDates.Count() > 0) {
        QStringList pairs;
        for (int i = 0; i < m_exDates.Count(); ++i) {
            const TDateItem* item = m_exDates.Items(i);
            pairs << DateTimeToRuleText(item->StartDate()) + QLatin1Char('/') +
                         DateTimeToRuleText(item->EndDate());
        }
        rule += QStringLiteral("#EXDATES:") + pairs.join(QLatin1Char(','));
    }
    return rule;
}

void TRecurrencyHandler::Generate()
{
    m_dateIndex = 0;
    m_dates.Clear();
    m_exDates.Clear();
    m_dates.Add(m_startTime, m_endTime);
    if (m_recurrency.isEmpty()) return;

    m_weekDays.reset();
    const double duration = Linear(m_endTime) - Linear(m_startTime);
    Parse();
    // A rule without a usable frequency would give its own start over and over.
    if (m_frequency == frNone) return;

    TDateTime limit = m_repeatUntil;
    if (m_repeatCount == 0 && m_repeatUntil == 0) {
        if (m_timeSpan != 0)
            limit = m_timeSpan;
        else if (!TryAddMonths(m_startTime, 100 * 12, limit))
            limit = LastDay + 1;
    }
    Expand(limit, duration);
    RemoveExceptions();
}

void TRecurrencyHandler::Expand(TDateTime limit, double duration)
{
    const bool counting = m_repeatCount > 0;
    const int wanted = counting ? std::min(m_repeatCount, m_maxOccurrences) : m_maxOccurrences;
    const double end = Linear(limit);
    TDateTime current = m_startTime;
    double last = Linear(m_startTime);
    int rejected = 0;
    m_dates.BeginUpdate();
    while (m_dates.Count() < wanted && (counting || Linear(current) < end)) {
        const TStep step = Advance(current, m_frequency, m_interval);
        if (!step.InRange) break;
        current = step.Value;
        const double start = Linear(current);
        if (step.Matched && start > last && (counting || start <= end)) {
            m_dates.Add(current, FromLinear(start + duration));
            last = start;
            rejected = 0;
        } else if (++rejected > MaxRejectedSteps) {
            break;
        }
    }
    m_dates.EndUpdate();
}

void TRecurrencyHandler::RemoveExceptions()
{
    // Matching is exact to the millisecond, the platform's resolution of time. The
    // occurrences ascend, so each exception is looked up by its start; the first
    // occurrence (index 0) always stays.
    for (int e = 0; e < m_exDates.Count(); ++e) {
        const int64_t start = ToMilliseconds(m_exDates.Items(e)->StartDate());
        const int64_t end = ToMilliseconds(m_exDates.Items(e)->EndDate());
        int low = 1, high = m_dates.Count();
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (StartMilliseconds(m_dates, middle) < start)
                low = middle + 1;
            else
                high = middle;
        }
        for (int i = low; i < m_dates.Count() && StartMilliseconds(m_dates, i) == start;) {
            if (ToMilliseconds(m_dates.Items(i)->EndDate()) == end)
                m_dates.Delete(i);
            else
                ++i;
        }
    }
}

bool TRecurrencyHandler::NextDate(TDateTime& startDate, TDateTime& endDate)
{
    const int count = m_dates.Count();
    if (m_dateIndex < count) {
        const TDateItem* item = m_dates.Items(m_dateIndex);
        startDate = item->StartDate();
        endDate = item->EndDate();
    }
    if (m_dateIndex <= count) ++m_dateIndex;
    return m_dateIndex <= count;
}

TDateTime TRecurrencyHandler::RecurrentMaxDate() const
{
    const int count = m_dates.Count();
    return count > 0 ? m_dates.Items(count - 1)->EndDate() : m_endTime;
}
