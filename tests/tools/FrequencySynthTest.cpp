#include "tools/FrequencySynth.h"

#include "platform/audio/VirtualAudioBackend.h"
#include "runtime/Event.h"
#include "state/DataStructure.h"
#include "state/FreshState.h"
#include "support/OutputSamples.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

namespace tonvela {
namespace {

using test::frequencyOf;
using test::largestStep;
using test::peak;
using test::Samples;

constexpr int BUFFER = FrequencySynth::BUFFER_SAMPLES;
// Two buffers are in circulation: a change made after `steps` played buffers
// sounds from the start of buffer steps + 2.
constexpr int changeSoundsAt(int steps) {
    return (steps + 2) * BUFFER;
}

// Virtual devices that count the output opens, so a test can wait until the
// synthesizer's thread has tried one.
class CountingBackend : public AudioBackend {
public:
    int inputDeviceCount() override { return devices.inputDeviceCount(); }
    int inputCapabilities(int device, InputCapabilities& capabilities) override {
        return devices.inputCapabilities(device, capabilities);
    }
    int openInput(int device, const PcmFormat& format, BufferDoneCallback onDone,
                  std::unique_ptr<AudioInput>& input) override {
        return devices.openInput(device, format, std::move(onDone), input);
    }
    int openOutput(BufferDoneCallback onDone, std::unique_ptr<AudioOutput>& output) override {
        const int result = devices.openOutput(std::move(onDone), output);
        ++opens;
        opened.set();
        return result;
    }

    VirtualAudioBackend devices;
    std::atomic<int> opens{0};
    Event opened;
};

class FrequencySynthTest : public test::FreshState {
protected:
    void SetUp() override {
        FreshState::SetUp();
        auto owned = std::make_unique<VirtualAudioBackend>();
        devices = owned.get();
        devices->setOutputPacing(VirtualAudioBackend::OutputPacing::Stepped);
        installAudioBackend(std::move(owned));
    }
    void TearDown() override {
        installAudioBackend(nullptr);
        FreshState::TearDown();
    }

    // Plays `buffers` more output buffers; all samples played so far.
    Samples play(int buffers) {
        for (int i = 0; i < buffers; ++i)
            EXPECT_TRUE(devices->stepOutput()) << "buffer " << i;
        return devices->outputSamples();
    }

    static void setCalibOut(float cents) {
        DataStructure& state = DataStructure::getInstance();
        MeasurementSettings settings;
        state.getMeasurementSettings(settings);
        settings.calibOut = cents;
        state.setMeasurementSettings(settings);
    }

    VirtualAudioBackend* devices = nullptr;
};

double centsFrom(double reference, double frequency) {
    return 1200.0 * std::log2(frequency / reference);
}

std::int16_t trough(const Samples& s, std::size_t from, std::size_t to) {
    return *std::min_element(s.begin() + static_cast<std::ptrdiff_t>(from),
                             s.begin() + static_cast<std::ptrdiff_t>(to));
}

int threadCount() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<int>(std::distance(begin(tasks), end(tasks)));
}

// The thread count once it reaches expected, or after two seconds: a joined
// thread wakes its joiner before the kernel removes it from the task list.
int threadCountSettledAt(int expected) {
    for (int tries = 0; tries < 200 && threadCount() != expected; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return threadCount();
}

TEST_F(FrequencySynthTest, PlaysA440HzSineOfPeak5000AfterItsRamp) {
    FrequencySynth synth;
    synth.addTone(440.0f);
    synth.resume();
    const Samples s = play(10);
    ASSERT_EQ(s.size(), 10u * BUFFER);
    // The gain rises by 0.001 per sample from 0.
    for (std::size_t n = 0; n < 1000; ++n)
        ASSERT_LE(std::abs(s[n]), 5.0 * static_cast<double>(n) + 1.0) << n;
    EXPECT_LE(peak(s, 0, 200), 1000);
    EXPECT_GE(peak(s, 1001, s.size()), 4995);
    EXPECT_LE(peak(s, 1001, s.size()), 5000);
    EXPECT_LE(trough(s, 1001, s.size()), -4995);
    EXPECT_GE(trough(s, 1001, s.size()), -5000);
    EXPECT_NEAR(centsFrom(440.0, frequencyOf(s, 1001, s.size())), 0.0, 0.02);
}

TEST_F(FrequencySynthTest, OutputCalibrationDetunesAndConfirmedSettingsRetuneWithoutAJump) {
    setCalibOut(10.0f);
    FrequencySynth synth;
    synth.addTone(440.0f);
    synth.resume();
    play(10);
    setCalibOut(0.0f);
    const Samples s = play(10);
    const std::size_t seam = changeSoundsAt(10);
    const double detuned = 440.0 * std::pow(2.0, 10.0 / 1200.0); // 442.548
    EXPECT_NEAR(centsFrom(detuned, frequencyOf(s, 1001, seam)), 0.0, 0.02);
    EXPECT_NEAR(centsFrom(440.0, frequencyOf(s, seam, s.size())), 0.0, 0.02);
    // A sample step of a 5000-peak 442.55 Hz sine from the 0.01 rad table
    // stays below 370 (the widest step is
    // across the wrap at 2 pi); a restarted phase or envelope would jump or dip.
    EXPECT_LE(largestStep(s, 1001, s.size()), 370);
    EXPECT_GE(peak(s, seam, seam + 110), 4995);
    EXPECT_LE(trough(s, seam, seam + 110), -4995);
}

// The longest run of samples at or beyond `level` (sign taken from level).
int longestRun(const Samples& s, std::size_t from, std::size_t to, int level) {
    int longest = 0;
    int run = 0;
    for (std::size_t n = from; n < to; ++n) {
        const bool beyond = level > 0 ? s[n] >= level : s[n] <= level;
        run = beyond ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(FrequencySynthTest, LowToneHasFlatCrestAndTroughAndItsOwnPeriod) {
    FrequencySynth synth;
    synth.addTone(100.0f);
    synth.resume();
    const Samples s = play(10);
    EXPECT_NEAR(centsFrom(100.0, frequencyOf(s, BUFFER, s.size())), 0.0, 0.05);
    // One 441-sample period from one rising flank to the next: flanks of a
    // 300 Hz sine (73.5 samples from trough to crest), crest and trough held
    // for the rest.
    std::vector<std::size_t> rising;
    for (std::size_t n = 2 * BUFFER; n < s.size(); ++n)
        if (s[n - 1] < 0 && s[n] >= 0)
            rising.push_back(n);
    ASSERT_GE(rising.size(), 80u);
    for (std::size_t i = 1; i < rising.size(); ++i) {
        const std::size_t a = rising[i - 1];
        const std::size_t b = rising[i];
        ASSERT_GE(b - a, 440u) << a;
        ASSERT_LE(b - a, 442u) << a;
        const int crest = longestRun(s, a, b, 4990);
        const int bottom = longestRun(s, a, b, -4990);
        ASSERT_GE(crest, 140) << a;
        ASSERT_LE(crest, 155) << a;
        ASSERT_GE(bottom, 140) << a;
        ASSERT_LE(bottom, 155) << a;
        ASSERT_GE(peak(s, a, b), 4995) << a;
        ASSERT_LE(trough(s, a, b), -4995) << a;
    }
    // A flank rises no faster than a 300 Hz sine of this peak read from the
    // 0.01 rad table (at most 5 entries per sample).
    EXPECT_LE(largestStep(s, BUFFER, s.size()), 255);
}

TEST_F(FrequencySynthTest, FourTonesAtFullGainPeakAt20000) {
    FrequencySynth synth;
    for (int i = 0; i < 4; ++i)
        synth.addTone(440.0f);
    synth.resume();
    const Samples s = play(5);
    EXPECT_GE(peak(s, 1001, s.size()), 19990);
    EXPECT_LE(peak(s, 1001, s.size()), 20000);
    EXPECT_LE(trough(s, 1001, s.size()), -19990);
    EXPECT_GE(trough(s, 1001, s.size()), -20000);
}

// Seven tones in phase sum to 35000: beyond full scale the wave is clipped,
// never wrapped around to the other sign.
TEST_F(FrequencySynthTest, OverloadIsClippedInsteadOfWrappedAround) {
    FrequencySynth synth;
    for (int i = 0; i < 7; ++i)
        synth.addTone(440.0f);
    synth.resume();
    const Samples s = play(5);
    EXPECT_EQ(peak(s, 0, s.size()), 32767);
    EXPECT_EQ(trough(s, 0, s.size()), -32768);
    int crossings = 0;
    for (std::size_t n = 1; n < s.size(); ++n)
        crossings += s[n - 1] < 0 && s[n] >= 0;
    const double expected = 440.0 * static_cast<double>(s.size()) / 44100.0; // 220
    EXPECT_NEAR(crossings, expected, 1.0);
    EXPECT_LE(largestStep(s, 0, s.size()), 7 * 370);
}

TEST_F(FrequencySynthTest, RemovedToneFadesOutAndIsGone) {
    FrequencySynth synth;
    const int id = synth.addTone(440.0f);
    synth.resume();
    play(1);
    synth.removeTone(id);
    synth.removeTone(id + 1000); // unknown: ignored
    play(3);
    synth.removeTone(id); // already faded out and deleted: nothing happens
    const int next = synth.addTone(440.0f);
    EXPECT_EQ(next, id + 1);
    const Samples s = play(3);
    const std::size_t fade = changeSoundsAt(1);
    EXPECT_GE(peak(s, fade - 200, fade), 4995);
    for (std::size_t n = fade; n < fade + 1000; ++n)
        ASSERT_LE(std::abs(s[n]), 5000.0 - 5.0 * static_cast<double>(n - fade) + 1.0) << n;
    const std::size_t back = changeSoundsAt(4);
    EXPECT_EQ(peak(s, fade + 1000, back), 0);
    EXPECT_EQ(trough(s, fade + 1000, back), 0);
    EXPECT_GE(peak(s, back + 1000, s.size()), 4995);
}

TEST_F(FrequencySynthTest, UnplayableFrequenciesLeaveTheStreamIntact) {
    FrequencySynth synth;
    std::vector<int> ids;
    for (float frequency : {1e30f, std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN(), 50000.0f, -5.0f, 0.0f})
        ids.push_back(synth.addTone(frequency));
    synth.resume();
    play(2);
    for (int id : ids)
        synth.removeTone(id);
    play(1);
    synth.addTone(440.0f);
    const Samples s = play(4);
    const std::size_t clean = changeSoundsAt(3);
    EXPECT_EQ(peak(s, changeSoundsAt(2) + 1000, clean), 0);
    EXPECT_EQ(trough(s, changeSoundsAt(2) + 1000, clean), 0);
    EXPECT_GE(peak(s, clean + 1000, s.size()), 4995);
    EXPECT_LE(peak(s, clean + 1000, s.size()), 5000);
}

// Start of every click (a run of +25600 after silence), checking that each is
// the whole 2205 Hz burst: five cycles of 10 samples high and 10 low.
std::vector<std::size_t> clickStarts(const Samples& s) {
    std::vector<std::size_t> starts;
    for (std::size_t n = 0; n < s.size(); ++n) {
        if (s[n] == 0)
            continue;
        EXPECT_TRUE(n + 100 <= s.size()) << "cut click at " << n;
        for (std::size_t i = 0; i < 100 && n + i < s.size(); ++i)
            EXPECT_EQ(s[n + i], i % 20 < 10 ? 25600 : -25600) << "click at " << n << " + " << i;
        starts.push_back(n);
        n += 99;
    }
    return starts;
}

TEST_F(FrequencySynthTest, MetronomeClicksOncePerBeatStartingAtOnce) {
    struct Case {
        float rate;
        int period;
    };
    // 85.9 per minute puts a click across the end of a buffer.
    const Case cases[] = {{60.0f, 44100}, {137.0f, 19313}, {85.9f, 30803}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        const std::size_t before = devices->outputSamples().size();
        FrequencySynth synth;
        synth.resume();
        play(1);
        synth.setMetronome(c.rate);
        Samples s = play(25);
        s.erase(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(before));
        std::vector<std::size_t> expected;
        for (std::size_t at = changeSoundsAt(1); at + 100 <= s.size(); at += c.period)
            expected.push_back(at);
        EXPECT_EQ(clickStarts(s), expected);
    }
}

TEST_F(FrequencySynthTest, MetronomeOffBelowOneAndOnAgainClicksAtOnce) {
    FrequencySynth synth;
    synth.setMetronome(60.0f);
    synth.resume();
    play(1);
    synth.setMetronome(0.5f);
    play(20);
    synth.setMetronome(60.0f);
    const Samples s = play(13);
    const std::vector<std::size_t> expected = {0, changeSoundsAt(21), changeSoundsAt(21) + 44100};
    EXPECT_EQ(clickStarts(s), expected);
}

TEST_F(FrequencySynthTest, ClicksOverwriteTheTones) {
    FrequencySynth synth;
    synth.addTone(440.0f);
    synth.setMetronome(60.0f);
    synth.resume();
    const Samples s = play(3);
    for (std::size_t i = 0; i < 100; ++i)
        ASSERT_EQ(s[i], i % 20 < 10 ? 25600 : -25600) << i;
    EXPECT_LT(peak(s, 100, s.size()), 5001);
    EXPECT_GE(peak(s, 1001, s.size()), 4995);
}

TEST_F(FrequencySynthTest, StopWhilePlayingLeavesNoThreadRunning) {
    const int threadsBefore = threadCount();
    {
        FrequencySynth synth;
        synth.addTone(440.0f);
        synth.setMetronome(120.0f);
        synth.resume();
        play(3);
        EXPECT_EQ(threadCountSettledAt(threadsBefore + 2),
                  threadsBefore + 2); // the synthesizer and the output
        synth.stop();
        EXPECT_EQ(threadCountSettledAt(threadsBefore), threadsBefore);
        synth.addTone(220.0f); // still usable from the user-interface thread
        synth.stop();
    }
    EXPECT_EQ(threadCountSettledAt(threadsBefore), threadsBefore);
    EXPECT_EQ(devices->outputSamples().size(), 3u * BUFFER);
}

TEST_F(FrequencySynthTest, WithoutAnOutputDeviceTheThreadRunsSilentlyAndStops) {
    auto owned = std::make_unique<CountingBackend>();
    CountingBackend& backend = *owned;
    backend.devices.setOutputFails(true);
    installAudioBackend(std::move(owned));
    const int threadsBefore = threadCount();
    {
        FrequencySynth synth;
        const int id = synth.addTone(440.0f);
        synth.setMetronome(60.0f);
        synth.resume();
        ASSERT_TRUE(backend.opened.wait(5000));
        synth.removeTone(id);
        synth.setCalibration(5.0f);
        EXPECT_EQ(threadCountSettledAt(threadsBefore + 1), threadsBefore + 1);
    }
    EXPECT_EQ(threadCountSettledAt(threadsBefore), threadsBefore);
    EXPECT_EQ(backend.opens, 1);
    EXPECT_TRUE(backend.devices.outputSamples().empty());
}

} // namespace
} // namespace tonvela
