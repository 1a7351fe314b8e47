// The exact output of tonvela-cli measure --json on a few fixed recordings in
// every mode, against tests/data/measure-golden/RECORDING.txt: work on the
// analyzers' speed must not change a single digit.
//
// When a change of the results is intended, rewrite the expected files from
// the current build and review their diff:
//   TONVELA_UPDATE_GOLDEN=1 build/tests/tests_cli --gtest_filter='*MeasureGolden*'
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

using namespace tonvela::test;

namespace {

const std::string GOLDEN_DIR = std::string(TONVELA_TEST_DATA) + "/measure-golden/";

// One stretch of a recording: a tone with partials 1..partials of weight
// 1 / k, at amplitude 0.5.
struct Segment {
    double seconds;
    double frequency;
    int partials;
};

struct Recording {
    const char* name;
    const char* note;
    unsigned rate;
    std::vector<Segment> segments;
    // Peak of a uniform noise added to every sample, in 16-bit steps.
    int noise;
};

// Test names show the recording's name rather than its bytes.
void PrintTo(const Recording& recording, std::ostream* out) {
    *out << recording.name;
}

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

// Pure and harmonic tones, low notes, a note change and a noisy tone.
std::vector<Recording> recordings() {
    return {
        {"a4-pure", "A4", 44100, {{4.0, cents(440.0, 3.0), 1}}, 0},
        {"a4-harmonic", "A4", 44100, {{10.0, cents(440.0, -2.3), 6}}, 0},
        {"a2-harmonic", "A2", 22050, {{18.0, cents(110.0, 4.6), 5}}, 0},
        {"e4-f4-change",
         "F4",
         44100,
         {{2.0, cents(329.6276, 1.0), 4}, {9.0, cents(349.2282, -6.0), 4}},
         0},
        {"c6-noise", "C6", 48000, {{9.0, cents(1046.5023, 8.2), 3}}, 400},
        // Deep enough for the Most Accurate mode's longest decimation.
        {"c2-harmonic", "C2", 44100, {{30.0, cents(65.406391, -4.4), 5}}, 0},
    };
}

class MeasureGolden : public ::testing::TestWithParam<Recording> {};

// The recording in every mode, with two harmonic sets, the second with an
// input calibration.
TEST_P(MeasureGolden, OutputUnchanged) {
    const Recording& recording = GetParam();
    TempDir dir;
    const std::string wav = dir.file(std::string(recording.name) + ".wav");
    ASSERT_TRUE(writeRecording(wav, recording));

    std::string actual;
    for (const char* variant :
         {"--harmonics 1,1.5,2,2.25,3,4", "--harmonics 1,2,3 --calib-in -3.5"}) {
        for (const char* mode : {"standard", "accurate", "precise"}) {
            const std::string args =
                std::string("--note ") + recording.note + " --mode " + mode + " " + variant;
            std::string out;
            std::string err;
            const std::string command = "TONVELA_CONFIG_DIR=" + dir.path() + " " + TONVELA_CLI +
                                        " measure " + wav + " --json --seed 7 " + args;
            ASSERT_EQ(runCommand(command, out, err), 0) << command << "\n" << err;
            actual += "# " + args + "\n" + out;
        }
    }

    const std::string golden = GOLDEN_DIR + recording.name + ".txt";
    if (std::getenv("TONVELA_UPDATE_GOLDEN")) {
        std::ofstream file(golden, std::ios::binary | std::ios::trunc);
        file << actual;
        ASSERT_TRUE(file.good()) << golden;
        GTEST_SKIP() << "rewrote " << golden;
    }
    std::ifstream file(golden, std::ios::binary);
    ASSERT_TRUE(file) << golden << " is missing; TONVELA_UPDATE_GOLDEN=1 writes it";
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

// One test for each recording, so that each has the whole time a test may take.
INSTANTIATE_TEST_SUITE_P(Recordings, MeasureGolden, ::testing::ValuesIn(recordings()),
                         [](const ::testing::TestParamInfo<Recording>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
