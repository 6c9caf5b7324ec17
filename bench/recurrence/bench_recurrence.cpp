#include "recurrence/recurrencyhandler.h"

#include <benchmark/benchmark.h>

namespace {

// Expands rule from 2024-01-02 09:00 (a Tuesday) to 10:00, up to years on (0 = the
// handler's own 100-year horizon), once per iteration.
void ExpandRule(benchmark::State& state, const char* rule, int years)
{
    TRecurrencyHandler handler;
    const TDateTime start = EncodeDate(2024, 1, 2) + EncodeTime(9, 0, 0, 0);
    handler.SetRecurrency(QString::fromLatin1(rule));
    handler.SetStartTime(start);
    handler.SetEndTime(start + 1.0 / 24);
    if (years > 0) handler.SetTimeSpan(IncMonth(start, years * 12));
    for (auto _ : state) {
        handler.Generate();
        benchmark::DoNotOptimize(handler.Dates().Count());
    }
    state.counters["occurrences"] = handler.Dates().Count();
}

void BM_RecurDaily100y(benchmark::State& state)
{
    ExpandRule(state, "RRULE:FREQ=DAILY", 0);
}

void BM_RecurWeeklyMoWeFr10y(benchmark::State& state)
{
    ExpandRule(state, "RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR", 10);
}

void BM_RecurMonthly2Tu50y(benchmark::State& state)
{
    ExpandRule(state, "RRULE:FREQ=MONTHLY;BYDAY=2TU", 50);
}

} // namespace

BENCHMARK(BM_RecurDaily100y)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecurWeeklyMoWeFr10y)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecurMonthly2Tu50y)->Unit(benchmark::kMillisecond);
