// Speed of the analysis: the transform, and one standard result of ten
// passes, which must fit into the 400 ms cadence with room to spare.
#include "analysis/AnalyzerStd.h"
#include "analysis/FFT.h"
#include "analysis/PeakRefinement.h"
#include "audio/CaptureDriverManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Thread.h"
#include "state/DataStructure.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <vector>

namespace tonvela {
namespace {

std::vector<Complex> testSignal(int n) {
    std::vector<Complex> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = Complex{static_cast<float>(std::sin(0.37 * i) * 10.0), 0.0f};
    return x;
}

template <bool Forward> void BM_FFT(benchmark::State& state) {
    const FFT fft(static_cast<int>(state.range(0)));
    const std::vector<Complex> input = testSignal(fft.getSize());
    std::vector<Complex> x = input;
    for (auto _ : state) {
        state.PauseTiming();
        x = input;
        state.ResumeTiming();
        if (Forward)
            fft.forward(x.data());
        else
            fft.inverse(x.data());
        benchmark::DoNotOptimize(x.data());
    }
}
BENCHMARK(BM_FFT<true>)->Name("BM_FFTForward")->DenseRange(11, 15)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FFT<false>)->Name("BM_FFTInverse")->DenseRange(11, 15)->Unit(benchmark::kMicrosecond);

// A full 60 s ring at 44100 Hz of a harmonic tone, made once: a virtual
// stepped device plays it into the real capture driver. Made again when
// another benchmark has let the driver or the backend go in between.
void fillRing(double frequency) {
    static double filledWith = 0.0;
    static const AudioBackend* filledBackend = nullptr;
    if (filledWith == frequency && openAudioDevices() > 0 && filledBackend == &audioBackend())
        return;
    CaptureDriverManager::destroyInstance();
    auto owned = std::make_unique<VirtualAudioBackend>();
    VirtualAudioBackend* backend = owned.get();
    VirtualInputDevice device;
    device.generator = [frequency](double t) {
        double x = 0.0;
        for (int k = 1; k <= 4; ++k)
            x += 0.12 * std::sin(2.0 * M_PI * frequency * k * t) / k;
        return x;
    };
    const int index = backend->addInputDevice(device);
    installAudioBackend(std::move(owned));
    filledBackend = backend;
    DataStructure::getInstance().setInputDevice(index);
    CaptureDriverManager::getInstance().getDriver();
    for (int buffers = 0, tries = 0; buffers < 300 && tries < 1000;)
        if (backend->step(index))
            ++buffers;
        else
            Thread::sleep(2), ++tries;
    filledWith = frequency;
}

// One result of the Standard modes: ten passes and the evaluation.
void BM_StandardResult(benchmark::State& state) {
    const int note = static_cast<int>(state.range(0));
    const int accuracy = static_cast<int>(state.range(1));
    const float frequency = static_cast<float>(440.0 * std::pow(2.0, (note - 57) / 12.0));
    fillRing(frequency);
    MeasurementSettings settings;
    settings.accuracy = accuracy;
    DataStructure::getInstance().setMeasurementSettings(settings);
    AnalyzerStd analyzer;
    const TargetData target(note, frequency, "t");
    const bool standard = accuracy == MeasurementSettings::Standard;
    bool valid = true;
    for (auto _ : state) {
        AnalysisResultStd result(target, standard ? 200 : 400, standard ? 1.0f : 0.5f);
        for (int pass = 0; pass < 10; ++pass)
            analyzer.analyze(result);
        result.evaluate();
        valid = valid && result.isValid();
        benchmark::DoNotOptimize(result.getFrequency());
    }
    if (!valid)
        state.SkipWithError("a result of the steady tone was not valid");
}
BENCHMARK(BM_StandardResult)
    ->ArgNames({"note", "accuracy"})
    ->Args({57, 0})
    ->Args({57, 1})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

// What the refinement between the grid points adds to one result: its look
// at the summed levels once per result, beside the ten passes above.
void BM_PeakRefinement(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::vector<float> levels(count);
    for (int j = 0; j < count; ++j) {
        const double d = (j - count / 2 - 3.37) / 5.0;
        levels[j] = static_cast<float>(10.0 * std::exp(-d * d) + 0.1);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(PeakRefinement::offsetAt(levels.data(), count, count / 2 + 3));
}
BENCHMARK(BM_PeakRefinement)->Arg(401)->Arg(801)->Unit(benchmark::kNanosecond);

} // namespace
} // namespace tonvela
