// Speed of the precision analyzer: one steady cycle (a window read, folded,
// transformed there and back, its crossings timed) and the calibration that
// follows a change of target (36 test-tone measurements plus the real one).
#include "analysis/AnalyzerPro.h"
#include "audio/CaptureDriver.h"
#include "audio/CaptureDriverManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Thread.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace tonvela {
namespace {

// A capture driver whose ring holds a minute of a steady harmonic tone.
class FilledCapture {
public:
    FilledCapture(double frequency) {
        // The standard-result benchmarks leave the manager's driver running
        // on their own backend; it must go before the backend is replaced.
        CaptureDriverManager::destroyInstance();
        auto owned = std::make_unique<VirtualAudioBackend>();
        VirtualAudioBackend* backend = owned.get();
        VirtualInputDevice device;
        device.pacing = VirtualInputDevice::Pacing::Stepped;
        device.generator = [frequency](double t) {
            return 0.3 * std::sin(2.0 * M_PI * frequency * t) +
                   0.15 * std::sin(4.0 * M_PI * frequency * t);
        };
        backend->addInputDevice(std::move(device));
        installAudioBackend(std::move(owned));
        driver = std::make_unique<CaptureDriver>(0);
        for (int buffers = 0; buffers < 300;) {
            if (backend->step(0))
                ++buffers;
            else
                Thread::sleep(1);
        }
    }
    ~FilledCapture() {
        driver.reset();
        installAudioBackend(nullptr);
    }

    std::unique_ptr<CaptureDriver> driver;
};

const TargetData targets[2] = {{57, 440.0f, "A4"}, {0, 16.351599f, "C0"}};

void BM_PreciseCycle(benchmark::State& state) {
    const TargetData& target = targets[state.range(0)];
    FilledCapture capture(target.frequency);
    AnalyzerPro analyzer;
    analyzer.analyze(target, *capture.driver);
    for (auto _ : state) {
        std::unique_ptr<AnalysisResultPro> result = analyzer.analyze(target, *capture.driver);
        benchmark::DoNotOptimize(result.get());
    }
    state.SetLabel(target.name);
}
BENCHMARK(BM_PreciseCycle)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Each iteration hands over a target that differs only in its name, which is
// what a change of target costs at the next cycle.
void BM_PreciseCalibration(benchmark::State& state) {
    const TargetData& target = targets[state.range(0)];
    FilledCapture capture(target.frequency);
    AnalyzerPro analyzer;
    TargetData renamed[2] = {target, target};
    renamed[1].name += "'";
    int which = 0;
    for (auto _ : state) {
        std::unique_ptr<AnalysisResultPro> result =
            analyzer.analyze(renamed[which], *capture.driver);
        which = 1 - which;
        benchmark::DoNotOptimize(result.get());
    }
    state.SetLabel(target.name);
}
BENCHMARK(BM_PreciseCalibration)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tonvela
