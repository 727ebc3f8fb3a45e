// Time of each date button's move from a date in the middle of the calendar.
// Every move must take at most 50 microseconds (median).

#include <benchmark/benchmark.h>

#include "input/date_moves.h"
#include "state/app_state.h"

namespace orvane {
namespace {

SYSTEMTIME midRangeDate() {
    SYSTEMTIME t;
    t.wYear = 5000;
    t.wMonth = 6;
    t.wDay = 15;
    t.wHour = 12;
    t.wMinute = 34;
    t.wSecond = 56;
    return t;
}

template <typename Move>
void runMove(benchmark::State& state, Move move) {
    const SYSTEMTIME start = midRangeDate();
    for (auto _ : state) {
        appState.workingDate = start;
        benchmark::DoNotOptimize(move());
        benchmark::ClobberMemory();
    }
}

void BM_previousDay(benchmark::State& s) { runMove(s, [] { return previousDay(); }); }
void BM_nextDay(benchmark::State& s) { runMove(s, [] { return nextDay(); }); }
void BM_nextMonth(benchmark::State& s) { runMove(s, [] { return nextMonth(); }); }
void BM_previousMonth(benchmark::State& s) { runMove(s, [] { return previousMonth(); }); }
void BM_yearsLater(benchmark::State& s) {
    const auto years = static_cast<int32_t>(s.range(0));
    runMove(s, [years] { return yearsLater(years); });
}
void BM_yearsEarlier(benchmark::State& s) {
    const auto years = static_cast<int32_t>(s.range(0));
    runMove(s, [years] { return yearsEarlier(years); });
}

constexpr int repetitions = 9;

BENCHMARK(BM_previousDay)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_nextDay)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_nextMonth)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_previousMonth)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_yearsLater)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_yearsEarlier)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(repetitions)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace orvane
