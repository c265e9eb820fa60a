// The shortened systems with six numbers a tip: the size found beside the best known, and the time, for
// every number of chosen numbers from 7 to 20 and the guarantees "3 wenn 3" and "4 wenn 4".
#include "generator/CoveringDesign.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// Best known sizes of C(v, 6, t) by v - 7, as published (data/covering-designs-k6.csv of the shared data).
constexpr int BestKnown[2][14] = {
    {4, 4, 7, 10, 11, 15, 21, 25, 31, 38, 44, 48, 60, 71},
    {5, 7, 12, 20, 32, 41, 66, 80, 117, 152, 188, 236, 325, 382},
};

void ShortenedSystem(benchmark::State& state) {
    const covering::CoveringProblem problem{int(state.range(0)), 6, int(state.range(1))};
    std::size_t found = 0;
    for (auto _ : state) found = covering::searchCovering(problem, nullptr).size();
    const int best = BestKnown[problem.t - 3][problem.v - 7];
    state.SetLabel(std::to_string(found) + " Tipps, bekannt " + std::to_string(best));
}
BENCHMARK(ShortenedSystem)
    ->ArgsProduct({benchmark::CreateDenseRange(7, 20, 1), {3, 4}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
