#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace tonvela {
namespace {

struct ShowRun {
    int code;
    std::vector<std::string> lines;
    std::string err;
};

// Runs "tonvela-cli show" with a settings store of its own and an English
// locale unless the arguments choose the language.
ShowRun show(const test::TempDir& dir, const std::string& arguments) {
    const std::string command = "env -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 TONVELA_CONFIG_DIR='" +
                                dir.path() + "' '" + TONVELA_CLI + "' show " + arguments;
    ShowRun result;
    std::string out;
    result.code = test::runCommand(command, out, result.err);
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        result.lines.push_back(line);
    return result;
}

std::string fixture(const char* name) {
    return std::string("'") + TONVELA_TEST_DATA + "/documents/" + name + "'";
}

TEST(ShowCommand, PrintsScaleTextsAndMeasuredNotes) {
    struct Case {
        const char* arguments;
        std::vector<std::string> lines; // the whole output
    };
    const Case cases[] = {
        {"form2.tnv",
         {"Temperament: Werckmeister III (werckmeister3)", "Keynote: G",
          "Standard Pitch (A4): 415.00 Hz", "Calibration: 0.000 cents",
          "Measurement done by: Bernd", "Instrument: Organ", "Customer: Parish", "Location: Hall",
          "Remarks: two", "    lines", "Date: 2017-07-14 02:40:00 UTC (1500000000)",
          "Measuring Tool: Tonvela, Version 3.0.0", "Measured Tones by Cent Deviation:",
          // Against Werckmeister III on G at 415 Hz, computed independently.
          "0\tC0\t16.500 Hz\t+116.91", "95\tB7\t3950.250 Hz\t+108.73"}},
        {"form1.tnv",
         {"Temperament: Equal Tempered, Perfect Octave (equal)", "Keynote: C",
          "Standard Pitch (A4): 442.00 Hz", "Calibration: 0.000 cents", "Measurement done by: Anna",
          "Instrument: Piano", "Customer: ", "Location: K\xC3\xB6ln", "Remarks: ",
          "Date: 2010-01-01 00:00:00 UTC (1262304000)", "Measuring Tool: Tonvela, Version 2.5.0",
          "Measured Tones by Cent Deviation:", "48\tC4\t262.000 Hz\t-5.38",
          "57\tA4\t442.500 Hz\t+1.96"}},
        {"date2040.tnv --language de",
         {"Stimmung: Gleichstufige Stimmung, Reine Oktave (equal)", "Grundton: c",
          "Kammerton (a4): 440.00 Hz", "Kalibrierung: 0.000 cents",
          "Messung durchgef\xC3\xBChrt von: ", "Instrument: ", "Kunde: ", "Standort: ",
          "Bemerkungen: ", "Datum: 2040-01-01 00:00:00 UTC (2208988800)",
          "Messinstrument: Tonvela, Version 3.1.100",
          "Abweichung der gemessenen T\xC3\xB6ne in Cent vom Sollwert:"}},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const std::string arguments = c.arguments;
        const std::size_t space = arguments.find(' ');
        const std::string file = arguments.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : arguments.substr(space);
        const ShowRun run = show(dir, fixture(file.c_str()) + rest);
        EXPECT_EQ(run.code, 0) << c.arguments << ": " << run.err;
        EXPECT_EQ(run.lines, c.lines) << c.arguments;
        EXPECT_EQ(run.err, "") << c.arguments;
    }
}

TEST(ShowCommand, FilesThatDoNotLoad) {
    test::TempDir dir;
    {
        std::ofstream(dir.file("short.tnv"), std::ios::binary) << "vel043";
        std::ofstream(dir.file("text.tnv"), std::ios::binary) << "hello";
    }
    struct Case {
        std::string arguments;
        int code;
        std::string err; // the start of the message
    };
    // A document in the oldest form whose A4 cell holds infinity: no tuner
    // measured that, so the file is damaged.
    {
        std::string bytes = "vel041";
        bytes += std::string(4, '\0') + std::string("\x00\x00\xDC\x43", 4) + std::string(4, '\0');
        bytes += std::string(5, '\0'); // five empty texts
        for (int note = 0; note < 96; ++note)
            bytes += note == 57 ? std::string("\x00\x00\x80\x7F", 4) : std::string(4, '\0');
        bytes += std::string(8, '\0') + std::string(1, '\0');
        std::ofstream(dir.file("flipped.tnv"), std::ios::binary) << bytes;
    }
    const Case cases[] = {
        {"'" + dir.file("short.tnv") + "'", 1,
         "tonvela-cli show: Unexpected file format.\n" + dir.file("short.tnv")},
        {"'" + dir.file("text.tnv") + "'", 1,
         "tonvela-cli show: Failed to open document.\n" + dir.file("text.tnv")},
        {"'" + dir.file("none.tnv") + "'", 1,
         "tonvela-cli show: " + dir.file("none.tnv") + "\nCannot find this file."},
        {"'" + dir.file("flipped.tnv") + "'", 1,
         "tonvela-cli show: Unexpected file format.\n" + dir.file("flipped.tnv") + "\n"},
        {"'" + dir.path() + "'", 1,
         "tonvela-cli show: Failed to open document.\n" + dir.path() + "\nIs a directory"},
        {"", 2, "tonvela-cli: show takes one document file"},
        {"a.tnv b.tnv", 2, "tonvela-cli: show takes one document file"},
        {fixture("form1.tnv") + " --language fr", 2, "tonvela-cli: --language takes en or de"},
        // The document messages in the language asked for.
        {"'" + dir.file("short.tnv") + "' --language de", 1,
         "tonvela-cli show: Unerwartetes Dateiformat.\n" + dir.file("short.tnv")},
        {"--language de '" + dir.file("text.tnv") + "'", 1,
         "tonvela-cli show: Das Dokument konnte nicht ge\xC3\xB6"
         "ffnet werden.\n" +
             dir.file("text.tnv")},
        {"'" + dir.path() + "' --language de", 1,
         "tonvela-cli show: Das Dokument konnte nicht ge\xC3\xB6"
         "ffnet werden.\n" +
             dir.path() + "\nDas ist ein Ordner"},
        {"'" + dir.file("none.tnv") + "' --language de", 1,
         "tonvela-cli show: " + dir.file("none.tnv") +
             "\nDiese Datei wurde nicht gefunden.\nPr\xC3\xBC"
             "fen Sie, ob Pfad und Dateiname "
             "richtig angegeben sind."},
    };
    for (const Case& c : cases) {
        const ShowRun run = show(dir, c.arguments);
        EXPECT_EQ(run.code, c.code) << c.arguments;
        EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << c.arguments << ": " << run.err;
        EXPECT_TRUE(run.lines.empty()) << c.arguments;
    }
}

} // namespace
} // namespace tonvela
