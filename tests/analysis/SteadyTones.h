#pragma once

#include "analysis/AnalysisResultStd.h"
#include "analysis/AnalyzerPro.h"
#include "analysis/AnalyzerStd.h"
#include "analysis/TargetData.h"
#include "audio/CaptureDriver.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Thread.h"
#include "state/DataStructure.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tonvela::test {

// A steady tone built in code: partials at whole multiples of the
// fundamental with their amplitudes and start phases, and optionally seeded
// white noise at a given signal-to-noise ratio.
struct SteadyTone {
    double fundamental = 440.0;
    std::vector<int> multiples;
    std::vector<double> amplitudes;
    std::vector<double> phases;
    bool noisy = false;
    double snrDb = 0.0;
    std::uint64_t noiseSeed = 1;
};

// 64-bit mix of a sample index and a seed, for noise that is the same on
// every run.
inline std::uint64_t mixBits(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return x;
}

// The signal of a tone at a device rate: partials at or above 45 % of the
// rate are left out, as a sound card's own filter would remove them; the sum
// is scaled so that tone and noise together stay within full scale.
class ToneSignal {
public:
    ToneSignal(const SteadyTone& tone, double rate) : rate(rate) {
        double power = 0.0;
        for (std::size_t i = 0; i < tone.multiples.size(); ++i) {
            const double frequency = tone.fundamental * tone.multiples[i];
            if (frequency >= 0.45 * rate)
                continue;
            omegas.push_back(2.0 * M_PI * frequency);
            amplitudes.push_back(tone.amplitudes[i]);
            phases.push_back(tone.phases[i]);
            power += tone.amplitudes[i] * tone.amplitudes[i] / 2.0;
        }
        double peak = 0.0;
        for (double a : amplitudes)
            peak += a;
        double noisePeak = 0.0;
        if (tone.noisy) {
            // Uniform noise of rms r has peak r * sqrt(3).
            noiseRms = std::sqrt(power / std::pow(10.0, tone.snrDb / 10.0));
            noisePeak = noiseRms * std::sqrt(3.0);
            seed = mixBits(tone.noiseSeed);
        }
        scale = peak + noisePeak > 0.0 ? 0.8 / (peak + noisePeak) : 0.0;
    }

    double operator()(double t) const {
        double x = 0.0;
        for (std::size_t i = 0; i < omegas.size(); ++i)
            x += amplitudes[i] * std::sin(omegas[i] * t + phases[i]);
        if (noiseRms > 0.0) {
            const auto n = static_cast<std::uint64_t>(std::llround(t * rate));
            const double u = static_cast<double>(mixBits(n ^ seed) >> 11) * 0x1.0p-53;
            x += (2.0 * u - 1.0) * noiseRms * std::sqrt(3.0);
        }
        return scale * x;
    }

private:
    double rate;
    std::vector<double> omegas;
    std::vector<double> amplitudes;
    std::vector<double> phases;
    double noiseRms = 0.0;
    std::uint64_t seed = 0;
    double scale = 0.0;
};

// Three stepped virtual devices at 44100, 22050 and 11025 Hz; one capture
// driver at a time on the one chosen, fed the current tone buffer by buffer.
class SteadyToneCapture {
public:
    static constexpr unsigned RATES[3] = {44100, 22050, 11025};

    SteadyToneCapture() {
        auto owned = std::make_unique<VirtualAudioBackend>();
        backend = owned.get();
        for (unsigned formats : {FORMAT_4M16, FORMAT_2M16, FORMAT_1M16}) {
            VirtualInputDevice device;
            device.pacing = VirtualInputDevice::Pacing::Stepped;
            device.formats = formats;
            device.generator = [this](double t) { return signal ? (*signal)(t) : 0.0; };
            owned->addInputDevice(std::move(device));
        }
        installAudioBackend(std::move(owned));
    }
    ~SteadyToneCapture() {
        driver.reset();
        installAudioBackend(nullptr);
    }
    SteadyToneCapture(const SteadyToneCapture&) = delete;
    SteadyToneCapture& operator=(const SteadyToneCapture&) = delete;

    // Opens a fresh driver at rate (so its ring starts empty) playing tone.
    void open(unsigned rate, const SteadyTone& tone) {
        driver.reset();
        device = static_cast<int>(std::find(std::begin(RATES), std::end(RATES), rate) -
                                  std::begin(RATES));
        signal = std::make_unique<ToneSignal>(tone, static_cast<double>(rate));
        driver = std::make_unique<CaptureDriver>(device);
        played = 0.0;
    }

    // The next buffers of the device; the capture thread starts the device on
    // its own, so the first step may have to wait for it.
    bool step(int buffers = 1) {
        for (int i = 0; i < buffers; ++i) {
            int tries = 0;
            while (!backend->step(device)) {
                if (++tries > 500)
                    return false;
                Thread::sleep(2);
            }
            played += 0.2;
        }
        return true;
    }
    bool play(double seconds) { return step(static_cast<int>(std::ceil(seconds / 0.2))); }

    VirtualAudioBackend* backend = nullptr;
    std::unique_ptr<CaptureDriver> driver;
    std::unique_ptr<ToneSignal> signal;
    int device = 0;
    // Seconds of the tone delivered since the driver was opened.
    double played = 0.0;
};

// One mode's readings of a tone, taken every 400 ms as the analysis thread
// takes them: ten standard passes spread over the period, or one precise
// analysis.
struct Reading {
    bool valid = false;
    float cents = 0.0f;
};

inline void setMeasurementMode(int accuracy, int harmonicsMask = 0b111111) {
    MeasurementSettings settings;
    DataStructure::getInstance().getMeasurementSettings(settings);
    settings.accuracy = accuracy;
    settings.calibIn = 0.0f;
    settings.setHarmonicsMask(harmonicsMask);
    DataStructure::getInstance().setMeasurementSettings(settings);
}

// Seconds of sound the longest window of any mode needs at a rate, with
// the read's jitter of up to one buffer.
inline double longestWindowSeconds(const TargetData& target, double rate) {
    const int octave = AnalyzerStd::octaveOf(target.note);
    const int maxStride = std::max(1, static_cast<int>(rate / (9.0 * target.frequency)));
    const double standard = static_cast<double>(1 << (AnalyzerStd::fftOrderByOctave[octave] + 2)) *
                            (maxStride + 1) / rate;
    const double precise =
        static_cast<double>(1 << AnalyzerPro::orderFor(target.frequency)) * (maxStride + 1) / rate;
    return std::max(standard, precise) + 0.4;
}

inline std::vector<Reading> readStandard(SteadyToneCapture& capture, AnalyzerStd& analyzer,
                                         const TargetData& target, int accuracy, int results) {
    std::vector<Reading> readings;
    for (int r = 0; r < results; ++r) {
        auto result = accuracy == 0 ? std::make_unique<AnalysisResultStd>(target, 200, 1.0f)
                                    : std::make_unique<AnalysisResultStd>(target, 400, 0.5f);
        for (int pass = 0; pass < 10; ++pass) {
            analyzer.analyze(*result, *capture.driver);
            if (pass % 5 == 4)
                capture.step();
        }
        result->evaluate();
        readings.push_back({result->isValid(), result->getCents()});
    }
    return readings;
}

inline std::vector<Reading> readPrecise(SteadyToneCapture& capture, AnalyzerPro& analyzer,
                                        const TargetData& target, int results) {
    std::vector<Reading> readings;
    for (int r = 0; r < results; ++r) {
        const std::unique_ptr<AnalysisResultPro> result = analyzer.analyze(target, *capture.driver);
        readings.push_back({result->isValid(), result->getCents()});
        capture.step(2);
    }
    return readings;
}

} // namespace tonvela::test
