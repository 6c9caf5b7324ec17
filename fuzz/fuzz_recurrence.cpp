// Parse and Generate on arbitrary rule text. The first six bytes choose the first
// occurrence (a day from 1845 to 2124, a minute of the day, a length in hours) and a
// TimeSpan of up to about five and a half years; the rest is the rule. Only the stated
// conversion errors may escape; the occurrences must ascend from the record's own span,
// stay within the count or the span, and the composed rule must read back to itself.

#include "recurrence/calendarmath_p.h"
#include "recurrence/recurrencyhandler.h"

#include "platform/exceptions.h"

#include <cstdint>
#include <cstdlib>

using namespace recurrence_detail;

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 6) return 0;
    const double day = static_cast<double>(data[0] | data[1] << 8) - 20000;
    const double minute = (data[2] | data[3] << 8) % MinsPerDay;
    const double duration = data[4] / 24.0;
    const double span = data[5] * 8.0;
    const double first = day + minute / MinsPerDay;

    TRecurrencyHandler handler;
    handler.SetMaxOccurrences(5000);
    handler.SetStartTime(FromLinear(first));
    handler.SetEndTime(FromLinear(first + duration));
    handler.SetTimeSpan(FromLinear(first + span));
    handler.SetRecurrency(
        QString::fromLatin1(reinterpret_cast<const char*>(data) + 6, static_cast<int>(size - 6)));
    try {
        handler.Generate();
    } catch (const EConvertError&) {
        return 0;
    }

    const TDateItems& dates = handler.Dates();
    Require(dates.Count() >= 1 && dates.Count() <= handler.MaxOccurrences());
    Require(dates.Items(0)->StartDate() == handler.StartTime());
    if (handler.RepeatCount() > 0) Require(dates.Count() <= handler.RepeatCount());
    const bool bySpan = handler.RepeatCount() == 0 && handler.RepeatUntil() == 0;
    for (int i = 1; i < dates.Count(); ++i) {
        const double start = Linear(dates.Items(i)->StartDate());
        Require(start > Linear(dates.Items(i - 1)->StartDate()));
        if (bySpan) Require(start <= Linear(handler.TimeSpan()));
    }

    int walked = 0;
    TDateTime start = 0, end = 0;
    while (handler.NextDate(start, end))
        ++walked;
    Require(walked == dates.Count());

    const QString composed = handler.Compose();
    TRecurrencyHandler again;
    again.SetRecurrency(composed);
    again.Parse(); // a composed rule must always read; an error here aborts the run
    Require(again.Compose() == composed);
    return 0;
}
