// Speed of the harmonic folding over a transform's window, with every
// harmonic selected (the default) and with the whole-number ones only.
#include "analysis/HarmonicFolding.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace tonvela {
namespace {

void BM_FoldHarmonics(benchmark::State& state) {
    const int n = 1 << state.range(0);
    const bool all = state.range(1) != 0;
    const bool flags[MeasurementSettings::HarmonicCount] = {true, all, true, all, true, true};
    std::vector<Complex> in(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        in[i] = Complex{static_cast<float>(std::sin(0.37 * i) * 10.0), 0.0f};
    std::vector<Complex> out(static_cast<std::size_t>(n));
    for (auto _ : state) {
        foldHarmonics(in.data(), out.data(), n, flags);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FoldHarmonics)
    ->ArgsProduct({{13, 15}, {1, 0}})
    ->ArgNames({"order", "all"})
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tonvela
