// The transform against FFTW single precision (FFTW_MEASURE plans, made
// before the timed loop), N = 2^11 .. 2^16 in both directions. Every
// iteration runs one transform of each, one after the other on the same
// input, so both see the same load on a busy machine; the counters give
// each one's median time per call in microseconds and their ratio (ours /
// FFTW). Run with --benchmark_repetitions=N and read the medians.
#include "analysis/FFT.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fftw3.h>
#include <map>
#include <utility>
#include <vector>

namespace tonvela {
namespace {

static_assert(sizeof(Complex) == sizeof(fftwf_complex), "both are two floats");

// A harmonic tone with a little noise, as the analyzers' windows look.
std::vector<Complex> testSignal(int n) {
    std::vector<Complex> x(n);
    unsigned seed = 12345u;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double noise = static_cast<double>((seed >> 8) % 2001) / 1000.0 - 1.0;
        x[i] = Complex{
            static_cast<float>(std::sin(0.37 * i) + 0.5 * std::sin(0.74 * i) + 0.01 * noise), 0.0f};
    }
    return x;
}

// FFTW's in-place plans and their aligned buffers, one per size and
// direction, kept for the whole run so repetitions do not plan again.
struct FftwPlan {
    fftwf_complex* buffer = nullptr;
    fftwf_plan plan = nullptr;
};

FftwPlan& fftwPlan(int n, bool forward) {
    static std::map<std::pair<int, bool>, FftwPlan> plans;
    FftwPlan& p = plans[{n, forward}];
    if (!p.plan) {
        p.buffer = fftwf_alloc_complex(static_cast<std::size_t>(n));
        // FFTW_MEASURE overwrites the buffer while it plans.
        p.plan = fftwf_plan_dft_1d(n, p.buffer, p.buffer, forward ? FFTW_FORWARD : FFTW_BACKWARD,
                                   FFTW_MEASURE);
    }
    return p;
}

double median(std::vector<double>& values) {
    if (values.empty())
        return 0.0;
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Times first and second in turn every iteration, each after its untimed
// preparation; the iteration's time is both. The counters are each one's
// median call in microseconds (a call the scheduler interrupted does not
// count more than any other) and their ratio, first over second.
template <typename PrepareFirst, typename First, typename PrepareSecond, typename Second>
void sideBySide(benchmark::State& state, const char* firstName, PrepareFirst prepareFirst,
                First first, const char* secondName, PrepareSecond prepareSecond, Second second) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> firstTimes;
    std::vector<double> secondTimes;
    for (auto _ : state) {
        prepareFirst();
        const auto t0 = Clock::now();
        first();
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        prepareSecond();
        const auto t2 = Clock::now();
        second();
        benchmark::ClobberMemory();
        const auto t3 = Clock::now();
        const double a = std::chrono::duration<double, std::micro>(t1 - t0).count();
        const double b = std::chrono::duration<double, std::micro>(t3 - t2).count();
        firstTimes.push_back(a);
        secondTimes.push_back(b);
        state.SetIterationTime((a + b) * 1e-6);
    }
    const double firstMedian = median(firstTimes);
    const double secondMedian = median(secondTimes);
    state.counters[firstName] = firstMedian;
    state.counters[secondName] = secondMedian;
    state.counters["ratio"] = secondMedian > 0.0 ? firstMedian / secondMedian : 0.0;
}

template <bool Forward> void BM_FftAgainstFftw(benchmark::State& state) {
    const FFT fft(static_cast<int>(state.range(0)));
    const int n = fft.getSize();
    FftwPlan& fftw = fftwPlan(n, Forward);
    const std::vector<Complex> input = testSignal(n);
    std::vector<Complex> x(n);
    const std::size_t bytes = sizeof(Complex) * static_cast<std::size_t>(n);
    sideBySide(
        state, "tonvela_us", [&] { std::memcpy(x.data(), input.data(), bytes); },
        [&] {
            if (Forward)
                fft.forward(x.data());
            else
                fft.inverse(x.data());
            benchmark::DoNotOptimize(x.data());
        },
        "fftw_us", [&] { std::memcpy(fftw.buffer, input.data(), bytes); },
        [&] {
            fftwf_execute(fftw.plan);
            benchmark::DoNotOptimize(fftw.buffer);
        });
}
BENCHMARK(BM_FftAgainstFftw<true>)
    ->Name("BM_FftAgainstFftw/forward")
    ->DenseRange(11, 16)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FftAgainstFftw<false>)
    ->Name("BM_FftAgainstFftw/inverse")
    ->DenseRange(11, 16)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The envelope check's inverse transform at N = 2^14: a band of 49 bins
// brought back by inverseBand, beside inverse of the spectrum with every
// other bin cleared (the clearing included, as the check did it).
void BM_FftInverseBand(benchmark::State& state) {
    const FFT fft(14);
    const int n = fft.getSize();
    const int from = 300;
    const int to = from + 48;
    std::vector<Complex> spectrum = testSignal(n);
    fft.forward(spectrum.data());
    std::vector<Complex> x(n);
    const auto prepare = [&] { std::copy(spectrum.begin(), spectrum.end(), x.begin()); };
    sideBySide(
        state, "band_us", prepare,
        [&] {
            fft.inverseBand(x.data(), from, to);
            benchmark::DoNotOptimize(x.data());
        },
        "inverse_us", prepare,
        [&] {
            std::fill(x.begin(), x.begin() + from, Complex{});
            std::fill(x.begin() + to + 1, x.end(), Complex{});
            fft.inverse(x.data());
            benchmark::DoNotOptimize(x.data());
        });
}
BENCHMARK(BM_FftInverseBand)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tonvela
