#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tonvela::test;

namespace {

std::string cli(const TempDir& config, const std::string& args) {
    return "TONVELA_CONFIG_DIR=" + config.path() + " " + TONVELA_CLI + " " + args;
}

} // namespace

TEST(DevicesCommand, RecordingAppearsAsTheSelectedDevice) {
    TempDir dir;
    const std::string wav = dir.file("tone.wav");
    std::vector<std::int16_t> samples(22050);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / 22050.0));
    ASSERT_TRUE(writeWav16(wav, 22050, 1, samples));

    std::string out, err;
    ASSERT_EQ(runCommand(cli(dir, "devices --input-file " + wav), out, err), 0) << err;
    EXPECT_NE(out.find("0: " + wav + "  [selected]"), std::string::npos) << out;
    EXPECT_NE(out.find("22050 Hz 16-bit, 22050 Hz 8-bit"), std::string::npos) << out;
    EXPECT_EQ(out.find("44100 Hz"), std::string::npos) << out;
}

TEST(DevicesCommand, BadInputGivesMessageAndFailure) {
    TempDir dir;
    std::string out, err;
    EXPECT_NE(runCommand(cli(dir, "devices --input-file " + dir.file("missing.wav")), out, err), 0);
    EXPECT_NE(err.find("missing.wav"), std::string::npos) << err;
    EXPECT_EQ(runCommand(cli(dir, "devices --bogus"), out, err), 2);
    EXPECT_NE(err.find("--bogus"), std::string::npos) << err;
    EXPECT_EQ(runCommand(cli(dir, "devices --input-file"), out, err), 2);
    EXPECT_EQ(runCommand(cli(dir, "devices --language fr"), out, err), 2);
    EXPECT_NE(err.find("--language takes en or de"), std::string::npos) << err;
}

TEST(DevicesCommand, HelpAndVersion) {
    TempDir dir;
    std::string out, err;
    EXPECT_EQ(runCommand(cli(dir, "--version"), out, err), 0);
    EXPECT_EQ(out.rfind("tonvela-cli ", 0), 0u) << out;
    EXPECT_EQ(runCommand(cli(dir, "--help"), out, err), 0);
    EXPECT_NE(out.find("devices [--input-file FILE]"), std::string::npos) << out;
    EXPECT_EQ(runCommand(cli(dir, "frobnicate"), out, err), 2);
    EXPECT_NE(err.find("unknown command"), std::string::npos);
}
