#pragma once

#include "analysis/AnalysisResultStd.h"
#include "analysis/AnalyzerPro.h"
#include "analysis/AnalyzerStd.h"
#include "analysis/SteadyTones.h"
#include "analysis/TargetData.h"
#include "audio/CaptureDriver.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Thread.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tonvela::test {

// A recording made of stretches, each with what it truly holds: silence,
// noise, or a tone at a known number of cents from a reference frequency.
// A tone stretch either goes on from the one before with its phases (a
// string being retuned, a held note changing) or starts a new strike with
// fresh phases; a strike may decay.
struct Stretch {
    enum class Kind { Silence, Noise, Tone };
    Kind kind = Kind::Silence;
    double seconds = 1.0;
    double cents = 0.0;          // of the tone from the reference
    bool strike = true;          // fresh phases and amplitude; else continues the one before
    double decayPerSecond = 0.0; // amplitude falls as exp(-decay t) from the strike
    double vibratoCents = 0.0;   // depth of a 5.5 Hz vibrato, either way
};

constexpr double VIBRATO_HZ = 5.5;

// The partials of the tones, by whole multiple (1 = fundamental).
struct Timbre {
    std::vector<int> multiples;
    std::vector<double> amplitudes;
};

inline Timbre pureTimbre() {
    return {{1}, {1.0}};
}
// A piano- or string-like tone: every partial, falling off.
inline Timbre harmonicTimbre() {
    return {{1, 2, 3, 4, 5, 6}, {1.0, 0.7, 0.5, 0.35, 0.25, 0.15}};
}
// A tone whose fundamental is missing, as of a small loudspeaker or some
// organ pipes.
inline Timbre missingFundamentalTimbre() {
    return {{2, 3, 4, 5, 6, 7}, {1.0, 0.8, 0.6, 0.5, 0.4, 0.3}};
}

class StretchedRecording {
public:
    StretchedRecording(double reference, Timbre timbre, std::vector<Stretch> stretches,
                       std::uint64_t seed)
        : reference(reference), timbre(std::move(timbre)), stretches(std::move(stretches)),
          seed(seed) {}

    double duration() const {
        double total = 0.0;
        for (const Stretch& s : stretches)
            total += s.seconds;
        return total;
    }

    // Samples at rate, peak 0.8 of full scale; partials at or above 45 % of
    // the rate are left out, as a sound card's filter would remove them.
    std::shared_ptr<Recording> render(unsigned rate) const {
        auto recording = std::make_shared<Recording>();
        recording->sampleRate = rate;
        const std::size_t total = static_cast<std::size_t>(std::llround(duration() * rate));
        recording->samples.assign(total, 0.0f);
        double peakSum = 0.0;
        for (double a : timbre.amplitudes)
            peakSum += a;
        const double scale = 0.8 / peakSum;
        std::vector<double> phases(timbre.multiples.size(), 0.0);
        double start = 0.0;
        double strikeStart = 0.0;
        std::uint64_t draw = mixBits(seed);
        for (std::size_t s = 0; s < stretches.size(); ++s) {
            const Stretch& st = stretches[s];
            const std::size_t from = static_cast<std::size_t>(std::llround(start * rate));
            const std::size_t to = std::min(
                total, static_cast<std::size_t>(std::llround((start + st.seconds) * rate)));
            if (st.kind == Stretch::Kind::Noise) {
                for (std::size_t n = from; n < to; ++n) {
                    const double u = static_cast<double>(mixBits(n ^ draw) >> 11) * 0x1.0p-53;
                    recording->samples[n] = static_cast<float>(0.5 * (2.0 * u - 1.0));
                }
            } else if (st.kind == Stretch::Kind::Tone) {
                const double f = reference * std::pow(2.0, st.cents / 1200.0);
                if (st.strike) {
                    strikeStart = start;
                    for (double& p : phases) {
                        draw = mixBits(draw + 1);
                        p = 2.0 * M_PI * static_cast<double>(draw >> 11) * 0x1.0p-53;
                    }
                }
                // Each partial as a turning phasor, set afresh every second
                // so rounding cannot gather.
                std::vector<double> re, im, stepRe, stepIm;
                for (std::size_t i = 0; i < timbre.multiples.size(); ++i) {
                    const double w = 2.0 * M_PI * f * timbre.multiples[i] / rate;
                    re.push_back(0.0);
                    im.push_back(0.0);
                    stepRe.push_back(std::cos(w));
                    stepIm.push_back(std::sin(w));
                }
                if (st.vibratoCents != 0.0) {
                    // With vibrato each sample's phase is worked out whole.
                    const double depth = f * (std::pow(2.0, st.vibratoCents / 1200.0) - 1.0);
                    for (std::size_t n = from; n < to; ++n) {
                        const double local = static_cast<double>(n - from) / rate;
                        const double t = start + local;
                        const double envelope = std::exp(-st.decayPerSecond * (t - strikeStart));
                        const double swing =
                            depth / VIBRATO_HZ * (1.0 - std::cos(2.0 * M_PI * VIBRATO_HZ * local));
                        double x = 0.0;
                        for (std::size_t i = 0; i < timbre.multiples.size(); ++i) {
                            const int k = timbre.multiples[i];
                            if (f * k >= 0.45 * rate)
                                continue;
                            x += timbre.amplitudes[i] *
                                 std::sin(2.0 * M_PI * k * (f * local + swing / (2.0 * M_PI)) +
                                          phases[i]);
                        }
                        recording->samples[n] = static_cast<float>(scale * envelope * x);
                    }
                    start += st.seconds;
                    continue;
                }
                const double decayStep = std::exp(-st.decayPerSecond / rate);
                double envelope = 1.0;
                for (std::size_t n = from; n < to; ++n) {
                    const std::size_t local = n - from;
                    if (local % rate == 0) {
                        const double t = static_cast<double>(local) / rate;
                        envelope = std::exp(-st.decayPerSecond * (start + t - strikeStart));
                        for (std::size_t i = 0; i < re.size(); ++i) {
                            const double fk = f * timbre.multiples[i];
                            const double amplitude = fk < 0.45 * rate ? timbre.amplitudes[i] : 0.0;
                            const double phase = 2.0 * M_PI * fk * t + phases[i];
                            re[i] = amplitude * std::cos(phase);
                            im[i] = amplitude * std::sin(phase);
                        }
                    }
                    double x = 0.0;
                    for (std::size_t i = 0; i < re.size(); ++i) {
                        x += im[i];
                        const double r = re[i] * stepRe[i] - im[i] * stepIm[i];
                        im[i] = re[i] * stepIm[i] + im[i] * stepRe[i];
                        re[i] = r;
                    }
                    recording->samples[n] = static_cast<float>(scale * envelope * x);
                    envelope *= decayStep;
                }
                for (std::size_t i = 0; i < phases.size(); ++i)
                    phases[i] = std::fmod(
                        phases[i] + 2.0 * M_PI * f * timbre.multiples[i] * st.seconds, 2.0 * M_PI);
            }
            start += st.seconds;
        }
        return recording;
    }

    // The range of the tones sounding anywhere in from .. to seconds, none
    // when no tone sounds there.
    struct Range {
        double low;
        double high;
        bool steady; // one tone stretch only
    };
    std::optional<Range> truth(double from, double to) const {
        std::optional<Range> range;
        int tones = 0;
        double start = 0.0;
        for (const Stretch& s : stretches) {
            const double end = start + s.seconds;
            if (s.kind == Stretch::Kind::Tone && end > from && start < to) {
                ++tones;
                if (!range)
                    range = Range{s.cents, s.cents, true};
                range->low = std::min(range->low, s.cents - std::fabs(s.vibratoCents));
                range->high = std::max(range->high, s.cents + std::fabs(s.vibratoCents));
            }
            start = end;
        }
        if (range)
            range->steady = tones == 1;
        return range;
    }

    // Whether from .. to lies wholly inside one tone stretch that is not
    // decaying and lies within a semitone of the reference: a steady stretch
    // of the target, on which nearly every reading should be valid.
    bool insideSteadyTone(double from, double to) const {
        double start = 0.0;
        for (const Stretch& s : stretches) {
            const double end = start + s.seconds;
            if (from >= start && to <= end)
                return s.kind == Stretch::Kind::Tone && s.decayPerSecond == 0.0 &&
                       std::fabs(s.cents) <= 100.0;
            start = end;
        }
        return false;
    }

private:
    double reference;
    Timbre timbre;
    std::vector<Stretch> stretches;
    std::uint64_t seed;
};

// One stepped virtual device playing a recording into a capture driver at
// 44100 Hz (recordings at other rates are resampled by the device).
class RecordingCapture {
public:
    explicit RecordingCapture(std::shared_ptr<const Recording> recording) {
        auto owned = std::make_unique<VirtualAudioBackend>();
        backend = owned.get();
        VirtualInputDevice device;
        device.pacing = VirtualInputDevice::Pacing::Stepped;
        device.formats = FORMAT_4M16;
        device.recording = std::move(recording);
        owned->addInputDevice(std::move(device));
        installAudioBackend(std::move(owned));
        driver = std::make_unique<CaptureDriver>(0);
    }
    // On a backend already installed, as a further device.
    RecordingCapture(std::shared_ptr<const Recording> recording, VirtualAudioBackend& installed)
        : backend(&installed), installedHere(false) {
        VirtualInputDevice device;
        device.pacing = VirtualInputDevice::Pacing::Stepped;
        device.formats = FORMAT_4M16;
        device.recording = std::move(recording);
        index = installed.addInputDevice(std::move(device));
        driver = std::make_unique<CaptureDriver>(index);
    }
    ~RecordingCapture() {
        driver.reset();
        if (installedHere)
            installAudioBackend(nullptr);
    }
    RecordingCapture(const RecordingCapture&) = delete;
    RecordingCapture& operator=(const RecordingCapture&) = delete;

    bool step(int buffers = 1) {
        for (int i = 0; i < buffers; ++i) {
            int tries = 0;
            while (!backend->step(index)) {
                if (++tries > 500)
                    return false;
                Thread::sleep(2);
            }
            ++delivered;
        }
        return true;
    }
    // Seconds of sound delivered to the driver so far.
    double deliveredSeconds() const { return 0.2 * delivered; }
    double seconds(std::int64_t sample) const {
        return static_cast<double>(sample) / driver->sampleRate();
    }

    VirtualAudioBackend* backend = nullptr;
    bool installedHere = true;
    int index = 0;
    std::unique_ptr<CaptureDriver> driver;
    int delivered = 0;
};

// A reading with the stretch of sound its window took, in seconds.
struct SpannedReading {
    bool valid = false;
    float cents = 0.0f;
    double from = 0.0;
    double to = 0.0;
    // Which checks an invalid precise reading failed, for the report.
    std::string why;
};

// Readings as the analysis thread takes them (ten standard passes over two
// buffers, or one precise analysis per two buffers), one every `buffers`
// 200 ms buffers (2 is the live cadence), for as long as the recording lasts.
inline std::vector<SpannedReading> readAlong(RecordingCapture& capture, const TargetData& target,
                                             int accuracy, double seconds, int buffers = 2) {
    std::vector<SpannedReading> readings;
    buffers = std::max(2, buffers);
    const int results = static_cast<int>(seconds / (0.2 * buffers));
    AnalyzerStd standard;
    AnalyzerPro precise;
    const MeasurementSettings settings = [&] {
        MeasurementSettings s;
        s.accuracy = accuracy;
        s.calibIn = 0.0f;
        s.setHarmonicsMask(0b111111);
        return s;
    }();
    for (int r = 0; r < results; ++r) {
        SpannedReading reading;
        if (buffers > 2)
            capture.step(buffers - 2);
        if (accuracy == MeasurementSettings::MostAccurate) {
            capture.step(2);
            const auto result = precise.analyze(target, *capture.driver, settings);
            const CaptureDriver::ReadSpan span = capture.driver->lastReadSpan();
            reading = {result->isValid(), result->getCents(), capture.seconds(span.first),
                       capture.seconds(span.last), ""};
            if (!result->isTimed())
                reading.why += " untimed";
            if (!result->isConfirmed())
                reading.why += " unconfirmed";
            if (!result->isOnSeries())
                reading.why += " off-series";
            if (!result->isSteady())
                reading.why += " unsteady";
            if (!(result->getMeanRatio() < 0.2f && result->getRiseRatio() < 6.0f))
                reading.why += " shape";
        } else {
            auto result = accuracy == MeasurementSettings::Standard
                              ? std::make_unique<AnalysisResultStd>(target, 200, 1.0f)
                              : std::make_unique<AnalysisResultStd>(target, 400, 0.5f);
            double from = 1e9, to = -1e9;
            for (int pass = 0; pass < 10; ++pass) {
                if (pass % 5 == 0)
                    capture.step();
                standard.analyze(*result, *capture.driver, settings);
                const CaptureDriver::ReadSpan span = capture.driver->lastReadSpan();
                from = std::min(from, capture.seconds(span.first));
                to = std::max(to, capture.seconds(span.last));
            }
            result->evaluate();
            reading = {result->isValid(), result->getCents(), from, to, ""};
        }
        readings.push_back(reading);
    }
    return readings;
}

} // namespace tonvela::test
