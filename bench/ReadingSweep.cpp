// Accuracy of the Standard and Accurate readings between the grid's steps:
// steady tones at 0.05-cent steps across one grid step, played through the
// real capture driver, one result of ten passes each. Each row reports the
// error of the grid value (the strongest grid point) and of the reading
// (getCents) in cents: median, 95th percentile and worst over the valid
// results, how many valid results kept the grid value unrefined, and how
// many results were not valid. Run alone:
//   build/bench/tonvela-bench --benchmark_filter=Sweep
// The wall times of these rows mean nothing; the speed of one result is
// BM_StandardResult's.
//
// The bias rows (Sweep/bias/...) measure what the summed levels alone could
// give: top_* is how far the top of the levels on a 0.01-cent grid lies from
// the tone (what no interpolation of the levels can mend; the passes' own
// readings from the bins around their tops avoid it), log_* how far a
// parabola through the logarithms of the levels lies from that top, lin_*
// how far a parabola through the levels themselves would.
//
// The capture driver opens 44100, 22050 or 11025 Hz. A tone at f sampled at
// 48000 Hz is, sample for sample, the tone at f * 44100 / 48000 sampled at
// 44100 Hz, and the analyzer sees only samples, their rate and the target:
// the 48000 Hz rows play tone and target scaled so at 44100 Hz.
#include "analysis/AnalysisResultStd.h"
#include "analysis/AnalyzerStd.h"
#include "analysis/CentFreqCalculator.h"
#include "analysis/PeakRefinement.h"
#include "audio/CaptureDriver.h"
#include "audio/CaptureDriverManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Random.h"
#include "runtime/Thread.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tonvela {
namespace {

enum class Kind { Pure, Harmonic, Organ, MissingFundamental, Vibrato };

struct Row {
    int accuracy;
    int note;
    Kind kind;
    unsigned rate; // 44100 or 48000
    double snrDb;  // infinity: clean
    // Instead of the errors against the tone: the interpolation's own bias,
    // against the top of the same passes' levels on a 0.01-cent grid.
    bool bias = false;
};

std::uint64_t mixBits(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return x;
}

double uniform(std::uint64_t& state) {
    state = mixBits(state + 0x9E3779B97F4A7C15ull);
    return static_cast<double>(state >> 11) * 0x1.0p-53;
}

// A tone of partials at whole multiples with their amplitudes and phases,
// optionally with vibrato (15 cents at 5.5 Hz around the fundamental) and
// seeded uniform white noise at an SNR over the whole band; scaled to 0.8 of
// full scale at most.
struct Signal {
    double rate = 44100.0;
    double fundamental = 440.0;
    std::vector<int> multiples;
    std::vector<double> amplitudes;
    std::vector<double> phases;
    bool vibrato = false;
    double noiseRms = 0.0;
    std::uint64_t seed = 1;
    double scale = 1.0;

    void finish(double snrDb) {
        double power = 0.0, peak = 0.0;
        std::vector<int> m;
        std::vector<double> a, p;
        for (std::size_t i = 0; i < multiples.size(); ++i) {
            if (fundamental * multiples[i] >= 0.45 * rate)
                continue;
            m.push_back(multiples[i]);
            a.push_back(amplitudes[i]);
            p.push_back(phases[i]);
            power += amplitudes[i] * amplitudes[i] / 2.0;
            peak += amplitudes[i];
        }
        multiples = m, amplitudes = a, phases = p;
        if (std::isfinite(snrDb)) {
            noiseRms = std::sqrt(power / std::pow(10.0, snrDb / 10.0));
            peak += noiseRms * std::sqrt(3.0);
        }
        scale = 0.8 / peak;
    }

    double operator()(double t) const {
        double phase = 2.0 * M_PI * fundamental * t;
        if (vibrato) {
            const double depth = 15.0 * std::log(2.0) / 1200.0, speed = 5.5;
            phase -= fundamental * depth * std::cos(2.0 * M_PI * speed * t) / speed;
        }
        double x = 0.0;
        for (std::size_t i = 0; i < multiples.size(); ++i)
            x += amplitudes[i] * std::sin(multiples[i] * phase + phases[i]);
        if (noiseRms > 0.0) {
            const auto n = static_cast<std::uint64_t>(std::llround(t * rate));
            const double u = static_cast<double>(mixBits(n ^ seed) >> 11) * 0x1.0p-53;
            x += (2.0 * u - 1.0) * noiseRms * std::sqrt(3.0);
        }
        return scale * x;
    }
};

const char* kindName(Kind kind) {
    static const char* names[] = {"pure", "harmonic", "organ", "missing", "vibrato"};
    return names[static_cast<int>(kind)];
}

// Where each note's sweep starts: a grid point a few cents off the target.
double baseCents(int note) {
    switch (note) {
    case 12:
        return -8.0;
    case 33:
        return 3.0;
    case 72:
        return -2.0;
    case 95:
        return 5.0;
    default:
        return 3.0;
    }
}

void setPartials(Signal& s, Kind kind, std::uint64_t& random) {
    switch (kind) {
    case Kind::Pure:
        s.multiples = {1};
        s.amplitudes = {1.0};
        break;
    case Kind::Harmonic:
    case Kind::Vibrato:
        for (int k = 1; k <= 8; ++k) {
            s.multiples.push_back(k);
            s.amplitudes.push_back(1.0 / k);
        }
        if (kind == Kind::Vibrato) {
            s.multiples.resize(4), s.amplitudes.resize(4);
        }
        break;
    case Kind::Organ:
        s.multiples = {1, 2, 3, 4, 5, 6};
        s.amplitudes = {0.5, 1.0, 0.8, 0.25, 0.15, 0.1};
        break;
    case Kind::MissingFundamental:
        s.multiples = {2, 3, 4, 5, 6, 7, 8};
        s.amplitudes = {1.0, 0.8, 0.6, 0.5, 0.4, 0.3, 0.25};
        break;
    }
    for (std::size_t i = 0; i < s.multiples.size(); ++i)
        s.phases.push_back(2.0 * M_PI * uniform(random));
}

double quantile(std::vector<double> v, double q) {
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(std::lround(q * (v.size() - 1)))];
}

void BM_ReadingSweep(benchmark::State& state, Row row) {
    CaptureDriverManager::destroyInstance();
    auto owned = std::make_unique<VirtualAudioBackend>();
    VirtualAudioBackend* backend = owned.get();
    Signal signal;
    VirtualInputDevice device;
    device.pacing = VirtualInputDevice::Pacing::Stepped;
    device.formats = FORMAT_4M16;
    device.generator = [&signal](double t) { return signal(t); };
    const int index = backend->addInputDevice(std::move(device));
    installAudioBackend(std::move(owned));

    const double deviceRate = 44100.0;
    const double scale = deviceRate / row.rate;
    const float target = static_cast<float>(
        CentFreqCalculator::frequencyOf(440.0f, static_cast<float>(row.note - 57) * 100.0f) *
        scale);
    const bool standard = row.accuracy == MeasurementSettings::Standard;
    const double step = standard ? 1.0 : 0.5;
    const int octave = AnalyzerStd::octaveOf(row.note);
    const int n = 1 << (AnalyzerStd::fftOrderByOctave[octave] + 2 * row.accuracy);
    const int maxStride = std::max(1, static_cast<int>(deviceRate / (9.0 * target)));
    const double seconds = static_cast<double>(n) * (maxStride + 1) / deviceRate + 0.6;

    MeasurementSettings settings;
    settings.accuracy = row.accuracy;
    AnalyzerStd analyzer;
    std::vector<double> gridErrors, readingErrors, topErrors, logErrors, linearErrors;
    int invalid = 0, results = 0, kept = 0;
    std::uint64_t random = static_cast<std::uint64_t>(row.note * 1000 + row.rate) ^
                           (static_cast<std::uint64_t>(row.kind) << 40);
    tonvela::srand(static_cast<unsigned>(row.note * 7 + static_cast<int>(row.kind)));
    for (auto _ : state) {
        const int offsets = static_cast<int>(std::lround(step / 0.05));
        for (int k = 0; k <= offsets; ++k) {
            const double cents = baseCents(row.note) + 0.05 * k;
            signal = Signal{};
            signal.rate = deviceRate;
            signal.fundamental = target * std::pow(2.0, cents / 1200.0);
            signal.vibrato = row.kind == Kind::Vibrato;
            signal.seed = mixBits(random + static_cast<std::uint64_t>(k));
            setPartials(signal, row.kind, random);
            signal.finish(row.snrDb);
            // A fresh driver, so its ring holds only this tone.
            auto driver = std::make_unique<CaptureDriver>(index);
            const int buffers = static_cast<int>(std::ceil(seconds / 0.2));
            for (int b = 0, tries = 0; b < buffers && tries < 2000;)
                if (backend->step(index))
                    ++b;
                else
                    Thread::sleep(2), ++tries;
            const TargetData targetData(row.note, target, "t");
            AnalysisResultStd result(targetData, standard ? 200 : 400, standard ? 1.0f : 0.5f);
            // The bias rows repeat the passes on a fine grid: the same seed
            // gives the same decimation steps and read positions, and the
            // ring stays as it is.
            const unsigned passSeed = static_cast<unsigned>(mixBits(random) & 0x7fffffff);
            tonvela::srand(passSeed);
            for (int pass = 0; pass < 10; ++pass) {
                analyzer.analyze(result, *driver, settings);
                if (pass % 5 == 4 && !row.bias)
                    backend->step(index);
            }
            result.evaluate();
            if (row.bias) {
                AnalysisResultStd fine(targetData, 1000, 0.01f);
                tonvela::srand(passSeed);
                for (int pass = 0; pass < 10; ++pass)
                    analyzer.analyze(fine, *driver, settings);
                fine.evaluate();
                // The levels' own top, whatever the passes read.
                const int finePeak = fine.getPeakIndex();
                const double top =
                    fine.getBinCents(finePeak) +
                    PeakRefinement::offsetAt(fine.getLevels(), fine.getBinCount(), finePeak) * 0.01;
                const int p = result.getPeakIndex();
                const float* a = result.getLevels();
                const double gridCents = result.getBinCents(p);
                topErrors.push_back(std::fabs(top - cents));
                const double log = PeakRefinement::offsetAt(a, result.getBinCount(), p);
                logErrors.push_back(std::fabs(gridCents + log * step - top));
                if (p > 0 && p + 1 < result.getBinCount()) {
                    const double linear =
                        0.5 * (a[p + 1] - a[p - 1]) / (2.0 * a[p] - a[p - 1] - a[p + 1]);
                    linearErrors.push_back(std::fabs(gridCents + linear * step - top));
                }
                ++results;
                continue;
            }
            ++results;
            if (!result.isValid()) {
                ++invalid;
                continue;
            }
            const float grid = CentFreqCalculator::centsBetween(
                target, result.getBinFrequencies()[result.getPeakIndex()]);
            gridErrors.push_back(std::fabs(grid - cents));
            readingErrors.push_back(std::fabs(result.getCents() - cents));
            kept += result.getPeakOffset() == 0.0f;
        }
    }
    installAudioBackend(nullptr);
    if (row.bias) {
        state.counters["top_med"] = quantile(topErrors, 0.5);
        state.counters["top_worst"] = quantile(topErrors, 1.0);
        state.counters["log_med"] = quantile(logErrors, 0.5);
        state.counters["log_worst"] = quantile(logErrors, 1.0);
        state.counters["lin_med"] = quantile(linearErrors, 0.5);
        state.counters["lin_worst"] = quantile(linearErrors, 1.0);
        state.counters["results"] = results;
        return;
    }
    state.counters["grid_med"] = quantile(gridErrors, 0.5);
    state.counters["grid_worst"] = quantile(gridErrors, 1.0);
    state.counters["read_med"] = quantile(readingErrors, 0.5);
    state.counters["read_p95"] = quantile(readingErrors, 0.95);
    state.counters["read_worst"] = quantile(readingErrors, 1.0);
    state.counters["invalid"] = invalid;
    state.counters["results"] = results;
    state.counters["grid_kept"] = kept;
}

std::string rowName(const Row& row) {
    std::string name = row.bias ? "Sweep/bias/" : "Sweep/";
    name += row.accuracy == 0 ? "standard/" : "accurate/";
    static const char* notes[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    name += notes[row.note % 12] + std::to_string(row.note / 12) + "/";
    name += kindName(row.kind);
    name += "/" + std::to_string(row.rate) + "/";
    name += std::isfinite(row.snrDb) ? std::to_string(static_cast<int>(row.snrDb)) + "dB" : "clean";
    return name;
}

const bool registered = [] {
    std::vector<Row> rows;
    const double clean = INFINITY;
    for (int accuracy : {0, 1})
        for (double snr : {clean, 20.0, 0.0})
            for (int note : {12, 33, 57, 72, 95})
                for (Kind kind : {Kind::Pure, Kind::Harmonic})
                    for (unsigned rate : {44100u, 48000u})
                        rows.push_back({accuracy, note, kind, rate, snr});
    for (int accuracy : {0, 1}) {
        for (int note : {33, 57, 72})
            for (Kind kind : {Kind::Organ, Kind::MissingFundamental})
                rows.push_back({accuracy, note, kind, 44100u, clean});
        for (int note : {33, 57})
            rows.push_back({accuracy, note, Kind::Vibrato, 44100u, clean});
    }
    for (int accuracy : {0, 1})
        for (int note : {12, 33, 57, 72, 95})
            for (Kind kind : {Kind::Pure, Kind::Harmonic})
                rows.push_back({accuracy, note, kind, 44100u, clean, true});
    for (const Row& row : rows)
        benchmark::RegisterBenchmark(rowName(row).c_str(), BM_ReadingSweep, row)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
} // namespace tonvela
