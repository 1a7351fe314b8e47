#include "runtime/NumberText.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

using namespace tonvela;
using namespace tonvela::test;

namespace {

std::string cli(const TempDir& dir, const std::string& args) {
    return "TONVELA_CONFIG_DIR=" + dir.path() + " " + TONVELA_CLI + " measure " + args;
}

// A steady tone of amplitude 0.5 with the given partials (weights 1 / k),
// the same in every channel.
bool writeTone(const std::string& path, unsigned rate, int channels, double seconds,
               double frequency, std::initializer_list<int> partials = {1}) {
    double weight = 0.0;
    for (int k : partials)
        weight += 1.0 / k;
    const std::size_t frames = static_cast<std::size_t>(seconds * rate);
    std::vector<std::int16_t> samples;
    samples.reserve(frames * channels);
    for (std::size_t i = 0; i < frames; ++i) {
        double sum = 0.0;
        for (int k : partials)
            sum += std::sin(2.0 * M_PI * frequency * k * i / rate) / k;
        const auto value = static_cast<std::int16_t>(std::lround(0.5 * 32767.0 * sum / weight));
        for (int c = 0; c < channels; ++c)
            samples.push_back(value);
    }
    return writeWav16(path, rate, channels, samples);
}

double cents(double frequency, double offset) {
    return frequency * std::pow(2.0, offset / 1200.0);
}

// The number after key in text ("median cents: " -> +3.00).
double numberAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    if (at == std::string::npos)
        return NAN;
    return NumberText::parseReal(text.substr(at + key.size())).value_or(NAN);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

class MeasureCommand : public ::testing::Test {
protected:
    TempDir dir;
    std::string out;
    std::string err;
};

TEST_F(MeasureCommand, MeasuresSteadyTones) {
    struct Case {
        const char* args;
        unsigned rate;
        int channels;
        double seconds;
        double target;
        double playedCents;
        double reportedCents;
        double tolerance;
        const char* header;
    };
    // The standard analyzer reads the grid value nearest the tone (1 or 0.5
    // cent apart); the precise one lies within a few hundredths.
    const Case cases[] = {
        {"", 44100, 1, 3.0, 440.0, 3.0, 3.0, 0.55, "target: A4 at 440.00 Hz, mode standard"},
        {"--note C7 --mode precise", 44100, 1, 4.0, 2093.0045, -4.0, -4.0, 0.05,
         "target: C7 at 2093.00 Hz, mode precise"},
        {"--note 84 --mode precise --calib-in 5", 44100, 1, 4.0, 2093.0045, 0.0, 5.0, 0.05,
         "mode precise"},
        {"--frequency 1000 --mode accurate", 44100, 1, 4.0, 1000.0, 7.0, 7.0, 0.55,
         "target: B5 at 1000.00 Hz, mode accurate"},
        {"--note A4 --pitch 415", 22050, 1, 3.0, 415.0, -20.0, -20.0, 0.55,
         "at 22050 Hz\ntarget: A4 at 415.00 Hz"},
        {"--note Bb2", 48000, 2, 5.0, 116.54094, 11.0, 11.0, 0.55, "5.000 s at 48000 Hz"},
        // The target from the scale settings: Werckmeister I on D, A4 = 440 Hz + 10 cents.
        {"--temperament werckmeister1 --keynote D --calibration 10 --note F#4", 44100, 1, 3.0,
         370.8792, 2.0, 2.0, 0.55, "target: F#4 at 370.88 Hz"},
    };
    for (const Case& c : cases) {
        const std::string wav = dir.file("tone.wav");
        ASSERT_TRUE(writeTone(wav, c.rate, c.channels, c.seconds, cents(c.target, c.playedCents)));
        ASSERT_EQ(runCommand(cli(dir, wav + " " + c.args), out, err), 0) << c.args << err;
        EXPECT_TRUE(err.empty()) << err;
        EXPECT_NE(out.find(c.header), std::string::npos) << c.args << "\n" << out;
        // Every 400 ms of the recording; the precise mode also at its start.
        const bool precise = std::string(c.args).find("precise") != std::string::npos;
        const double results = numberAfter(out, "results: ");
        EXPECT_EQ(results, std::floor(c.seconds / 0.4) + (precise ? 1 : 0)) << c.args;
        EXPECT_GE(numberAfter(out, "valid: "), results / 3) << c.args;
        EXPECT_NEAR(numberAfter(out, "median cents: "), c.reportedCents, c.tolerance)
            << c.args << "\n"
            << out;
        const double frequency = cents(c.target, c.reportedCents);
        EXPECT_NEAR(numberAfter(out, "median frequency: "), frequency,
                    frequency * (std::pow(2.0, c.tolerance / 1200.0) - 1.0) + 0.005)
            << c.args;
    }
}

TEST_F(MeasureCommand, JsonLinesAndSummary) {
    const std::string wav = dir.file("c7.wav");
    ASSERT_TRUE(writeTone(wav, 44100, 1, 3.0, cents(2093.0045, 1.5)));
    ASSERT_EQ(runCommand(cli(dir, wav + " --note C7 --mode precise --json"), out, err), 0) << err;
    const std::vector<std::string> rows = lines(out);
    // One result at 0 s and every 400 ms, then the summary.
    ASSERT_EQ(rows.size(), 9u) << out;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        const std::string& row = rows[i];
        EXPECT_EQ(row.front(), '{');
        EXPECT_EQ(row.back(), '}');
        EXPECT_NEAR(numberAfter(row, "\"time\":"), 0.4 * i, 1e-9) << row;
        EXPECT_EQ(numberAfter(row, "\"windowMs\":"), 1486.0) << row;
        for (const char* key : {"\"cents\":", "\"frequency\":", "\"correctedFrequency\":"})
            EXPECT_FALSE(std::isnan(numberAfter(row, key))) << key << row;
        const bool valid = row.find("\"valid\":true") != std::string::npos;
        EXPECT_TRUE(valid || row.find("\"valid\":false") != std::string::npos) << row;
        if (i >= 5) {
            EXPECT_TRUE(valid) << row;
            EXPECT_NEAR(numberAfter(row, "\"cents\":"), 1.5, 0.05) << row;
            const double corrected = numberAfter(row, "\"correctedFrequency\":");
            EXPECT_NEAR(1200.0 * std::log2(corrected / 2093.0045), 1.5, 0.05) << row;
        }
    }
    const std::string& summary = rows.back();
    EXPECT_EQ(numberAfter(summary, "{\"results\":"), 8.0) << summary;
    EXPECT_NE(summary.find("\"note\":\"C7\""), std::string::npos) << summary;
    EXPECT_NE(summary.find("\"mode\":\"precise\""), std::string::npos) << summary;
    EXPECT_NEAR(numberAfter(summary, "\"medianCents\":"), 1.5, 0.05) << summary;

    // Standard results carry no corrected frequency; no valid result gives nulls.
    const std::string quiet = dir.file("quiet.wav");
    ASSERT_TRUE(writeWav16(quiet, 44100, 1, std::vector<std::int16_t>(44100, 0)));
    ASSERT_EQ(runCommand(cli(dir, quiet + " --json"), out, err), 0) << err;
    EXPECT_EQ(out.find("correctedFrequency"), std::string::npos) << out;
    EXPECT_NE(out.find("\"validResults\":0,\"medianCents\":null,\"medianFrequency\":null"),
              std::string::npos)
        << out;
}

TEST_F(MeasureCommand, SameSeedSameOutput) {
    const std::string wav = dir.file("a4.wav");
    ASSERT_TRUE(writeTone(wav, 44100, 1, 4.0, cents(440.0, 2.4), {1, 2, 3}));
    for (const char* mode : {"standard", "accurate", "precise"}) {
        const std::string args = wav + " --mode " + mode + " --json";
        std::string first, second, other;
        ASSERT_EQ(runCommand(cli(dir, args + " --seed 7"), first, err), 0) << err;
        ASSERT_EQ(runCommand(cli(dir, args + " --seed 7"), second, err), 0) << err;
        ASSERT_EQ(runCommand(cli(dir, args + " --seed 8"), other, err), 0) << err;
        EXPECT_EQ(first, second) << mode;
        // The seed drives the read jitter (and the standard strides).
        EXPECT_NE(first, other) << mode;
    }
}

TEST_F(MeasureCommand, HarmonicsChooseTheFoldedPartials) {
    // Partials 2, 3 and 4 of A4 without the fundamental.
    const std::string wav = dir.file("missing.wav");
    ASSERT_TRUE(writeTone(wav, 44100, 1, 3.0, 440.0, {2, 3, 4}));
    ASSERT_EQ(runCommand(cli(dir, wav + " --harmonics 1"), out, err), 0) << err;
    EXPECT_EQ(numberAfter(out, "valid: "), 0.0) << out;
    ASSERT_EQ(runCommand(cli(dir, wav + " --harmonics 2,3.0,4"), out, err), 0) << err;
    EXPECT_GE(numberAfter(out, "valid: "), 4.0) << out;
    EXPECT_NEAR(numberAfter(out, "median cents: "), 0.0, 1.5) << out;
    ASSERT_EQ(runCommand(cli(dir, wav + " --harmonics none"), out, err), 0) << err;
    EXPECT_EQ(numberAfter(out, "valid: "), 0.0) << out;
}

// What a damaged header claims must not decide the run: a length of days is
// measured as far as the file holds samples, a rate of 1 Hz is refused.
TEST_F(MeasureCommand, HeaderClaimsDoNotDecideTheRun) {
    const std::string longClaim = dir.file("long.wav");
    ASSERT_TRUE(writeTone(longClaim, 11025, 1, 1.0, 440.0));
    {
        // RIFF and data sizes of almost 4 GB: two days at 11025 Hz.
        std::fstream file(longClaim, std::ios::in | std::ios::out | std::ios::binary);
        const char huge[4] = {'\xf0', '\xff', '\xff', '\xff'};
        file.seekp(4);
        file.write(huge, 4);
        file.seekp(40);
        file.write(huge, 4);
        ASSERT_TRUE(file.good());
    }
    ASSERT_EQ(runCommand(cli(dir, longClaim), out, err), 0) << err;
    EXPECT_NE(out.find("1.000 s at 11025 Hz"), std::string::npos) << out;
    EXPECT_EQ(numberAfter(out, "results: "), 2.0) << out;

    const std::string slow = dir.file("slow.wav");
    ASSERT_TRUE(writeWav16(slow, 1, 1, std::vector<std::int16_t>(44100, 1000)));
    EXPECT_EQ(runCommand(cli(dir, slow), out, err), 1);
    EXPECT_NE(err.find("sample rate of 1 Hz"), std::string::npos) << err;
    EXPECT_TRUE(out.empty()) << out;
}

TEST_F(MeasureCommand, BadInputGivesAMessageAndFailure) {
    const std::string wav = dir.file("tone.wav");
    ASSERT_TRUE(writeTone(wav, 44100, 1, 1.0, 440.0));
    const std::string empty = dir.file("empty.wav");
    std::ofstream(empty).close();
    const std::string noSamples = dir.file("nosamples.wav");
    ASSERT_TRUE(writeWav16(noSamples, 44100, 1, {}));
    const std::string text = dir.file("notes.txt");
    std::ofstream(text) << "not a recording\n";

    struct Case {
        std::string args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {dir.file("missing.wav"), 1, "missing.wav"},
        {empty, 1, "empty.wav"},
        {noSamples, 1, "nosamples.wav"},
        {text, 1, "notes.txt"},
        {"", 2, "which recording"},
        {wav + " " + wav, 2, "unexpected argument"},
        {wav + " --mode loud", 2, "--mode"},
        {wav + " --mode", 2, "--mode"},
        {wav + " --note H4", 2, "--note"},
        {wav + " --note A8", 2, "--note"},
        {wav + " --note 96", 2, "--note"},
        {wav + " --note -1", 2, "--note"},
        {wav + " --note Cb0", 2, "--note"},
        {wav + " --pitch 0", 2, "--pitch"},
        {wav + " --pitch abc", 2, "--pitch"},
        {wav + " --pitch 440Hz", 2, "--pitch"},
        {wav + " --frequency -3", 2, "--frequency"},
        {wav + " --frequency nan", 2, "--frequency"},
        // Numbers that vanish once the tuner holds them as floats.
        {wav + " --frequency 1e-300", 2, "--frequency"},
        {wav + " --frequency 0.5", 2, "--frequency"},
        {wav + " --pitch 1e-40", 2, "--pitch"},
        {wav + " --calib-in 1,5", 2, "--calib-in"},
        {wav + " --harmonics 1,5", 2, "--harmonics"},
        {wav + " --harmonics 1,,2", 2, "--harmonics"},
        {wav + " --harmonics ''", 2, "--harmonics"},
        {wav + " --seed -1", 2, "--seed"},
        {wav + " --seed x", 2, "--seed"},
        {wav + " --bogus", 2, "--bogus"},
        {wav + " --temperament nope", 2, "unknown temperament 'nope'"},
        {wav + " --keynote H#", 2, "--keynote"},
        {wav + " --calibration 5000", 2, "--calibration"},
        {wav + " --language fr", 2, "--language"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runCommand(cli(dir, c.args), out, err), c.exitCode) << c.args;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.args << ": " << err;
        EXPECT_TRUE(out.empty()) << c.args << ": " << out;
    }
}

} // namespace
