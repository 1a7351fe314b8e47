// The tool saves the user's measurement settings and temperaments in its own
// exit path: after a run the file holds them whole, and what an option
// changed for the run only is not among them.
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tonvela {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeAll(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

TEST(CliExitPath, SavesTheUserSettingsWhenTheRunEnds) {
    const test::TempDir dir;
    const std::string store = dir.path() + "/Korvex/Tonvela.ini";
    std::vector<std::int16_t> samples(44100);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(
            std::lround(16000.0 * std::sin(2.0 * M_PI * 440.0 * i / 44100.0)));
    const std::string recording = dir.file("a4.wav");
    ASSERT_TRUE(test::writeWav16(recording, 44100, 1, samples));

    // measure changes the settings for its run only.
    const std::string cases[] = {
        "notes",
        "temperaments",
        "measure '" + recording + "' --note A4 --mode accurate --calib-in 10 --harmonics 1",
    };
    for (const std::string& arguments : cases) {
        std::filesystem::create_directories(dir.path() + "/Korvex");
        writeAll(store, "[settings]\ncalibIn=3.5\nharmonics=5\n\n[tempr]\ncount=1\n"
                        "tempr_0=\"77;Mine;0;1;2;3;4;5;6;7;8;9;10;11;0\"\n");
        std::string out;
        std::string err;
        const int code = test::runCommand(
            "TONVELA_CONFIG_DIR='" + dir.path() + "' '" + TONVELA_CLI + "' " + arguments, out, err);
        ASSERT_EQ(code, 0) << arguments << "\n" << err;
        const std::string text = readAll(store);
        // The user's own values, with those the file lacked at their defaults.
        for (const char* line :
             {"\ncalibIn=3.500000\n", "\nharmonics=5\n", "\naccuracy=0\n", "\nautoSwap=0\n",
              "\ncount=1\n", "\ntempr_0=\"77;Mine;0.000;1.000;2.000;"})
            EXPECT_NE(text.find(line), std::string::npos) << arguments << ": " << line << "\n"
                                                          << text;
    }
}

} // namespace
} // namespace tonvela
