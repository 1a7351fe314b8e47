// The exact output of tonvela-cli measure --json on a few fixed recordings in
// every mode, against tests/data/measure-golden.txt: work on the analyzers'
// speed must not change a single digit.
//
// When a change of the results is intended, rewrite the expected file from
// the current build and review its diff:
//   TONVELA_UPDATE_GOLDEN=1 build/tests/tests_cli --gtest_filter='MeasureGolden.*'
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace tonvela::test;

namespace {

const std::string GOLDEN_FILE = std::string(TONVELA_TEST_DATA) + "/measure-golden.txt";

// One stretch of a recording: a tone with partials 1..partials of weight
// 1 / k, at amplitude 0.5.
struct Segment {
    double seconds;
    double frequency;
    int partials;
};

struct Recording {
    const char* name;
    unsigned rate;
    std::vector<Segment> segments;
    // Peak of a uniform noise added to every sample, in 16-bit steps.
    int noise;
};

// The samples are whole numbers worked out in double from the sample index
// alone, so every build writes the same file.
bool writeRecording(const std::string& path, const Recording& recording) {
    std::vector<std::int16_t> samples;
    std::uint32_t state = 12345;
    for (const Segment& segment : recording.segments) {
        double weight = 0.0;
        for (int k = 1; k <= segment.partials; ++k)
            weight += 1.0 / k;
        const auto frames = static_cast<long>(segment.seconds * recording.rate);
        for (long i = 0; i < frames; ++i) {
            double sum = 0.0;
            for (int k = 1; k <= segment.partials; ++k) {
                const double phase =
                    2.0 * M_PI * segment.frequency * k * static_cast<double>(i) / recording.rate;
                sum += std::sin(phase) / k;
            }
            long value = std::lround(0.5 * 32767.0 * sum / weight);
            if (recording.noise > 0) {
                state = state * 1664525u + 1013904223u;
                value +=
                    static_cast<long>(state >> 16) % (2 * recording.noise + 1) - recording.noise;
            }
            samples.push_back(static_cast<std::int16_t>(value));
        }
    }
    return writeWav16(path, recording.rate, 1, samples);
}

double cents(double frequency, double offset) {
    return frequency * std::pow(2.0, offset / 1200.0);
}

// Pure and harmonic tones, a low note, a note change and a noisy tone.
std::vector<Recording> recordings() {
    return {
        {"a4-pure", 44100, {{4.0, cents(440.0, 3.0), 1}}, 0},
        {"a4-harmonic", 44100, {{10.0, cents(440.0, -2.3), 6}}, 0},
        {"a2-harmonic", 22050, {{18.0, cents(110.0, 4.6), 5}}, 0},
        {"e4-f4-change",
         44100,
         {{2.0, cents(329.6276, 1.0), 4}, {9.0, cents(349.2282, -6.0), 4}},
         0},
        {"c6-noise", 48000, {{9.0, cents(1046.5023, 8.2), 3}}, 400},
    };
}

struct Measurement {
    std::string recording;
    std::string args;
};

// Every recording in every mode, with two harmonic sets, the second with an
// input calibration.
std::vector<Measurement> runs() {
    const char* notes[] = {"A4", "A4", "A2", "F4", "C6"};
    const char* modes[] = {"standard", "accurate", "precise"};
    const char* variants[] = {"--harmonics 1,1.5,2,2.25,3,4", "--harmonics 1,2,3 --calib-in -3.5"};
    const std::vector<Recording> all = recordings();
    std::vector<Measurement> out;
    for (std::size_t r = 0; r < all.size(); ++r)
        for (const char* variant : variants)
            for (const char* mode : modes)
                out.push_back({all[r].name, std::string("--note ") + notes[r] + " --mode " + mode +
                                                " " + variant});
    return out;
}

TEST(MeasureGolden, OutputUnchanged) {
    TempDir dir;
    for (const Recording& recording : recordings())
        ASSERT_TRUE(writeRecording(dir.file(std::string(recording.name) + ".wav"), recording));

    std::string actual;
    for (const Measurement& run : runs()) {
        std::string out;
        std::string err;
        const std::string command = "TONVELA_CONFIG_DIR=" + dir.path() + " " + TONVELA_CLI +
                                    " measure " + dir.file(run.recording + ".wav") +
                                    " --json --seed 7 " + run.args;
        ASSERT_EQ(runCommand(command, out, err), 0) << command << "\n" << err;
        actual += "# " + run.recording + " " + run.args + "\n" + out;
    }

    if (std::getenv("TONVELA_UPDATE_GOLDEN")) {
        std::ofstream file(GOLDEN_FILE, std::ios::binary | std::ios::trunc);
        file << actual;
        ASSERT_TRUE(file.good()) << GOLDEN_FILE;
        GTEST_SKIP() << "rewrote " << GOLDEN_FILE;
    }
    std::ifstream file(GOLDEN_FILE, std::ios::binary);
    ASSERT_TRUE(file) << GOLDEN_FILE << " is missing; TONVELA_UPDATE_GOLDEN=1 writes it";
    std::stringstream expected;
    expected << file.rdbuf();

    // Line by line, so a failure names the run and the result that changed.
    std::istringstream want(expected.str());
    std::istringstream got(actual);
    std::string heading;
    std::string wantLine;
    std::string gotLine;
    int line = 0;
    int differences = 0;
    while (std::getline(want, wantLine)) {
        ++line;
        if (!std::getline(got, gotLine))
            gotLine = "(nothing)";
        if (wantLine.rfind("# ", 0) == 0)
            heading = wantLine;
        if (wantLine != gotLine && ++differences <= 10)
            ADD_FAILURE() << "line " << line << " of " << heading << "\n  expected " << wantLine
                          << "\n  actual   " << gotLine;
    }
    EXPECT_FALSE(std::getline(got, gotLine)) << "more output than expected: " << gotLine;
    EXPECT_EQ(differences, 0);
}

} // namespace
