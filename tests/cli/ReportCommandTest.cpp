#include "state/FreshState.h"
#include "state/TonvelaDoc.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tonvela {
namespace {

namespace fs = std::filesystem;

// Measured notes of the fixture: the deviation they are stored with (against
// equal temperament at 440 Hz) and the cell the report prints for it.
struct Measured {
    int note;
    double cents;
    const char* cell;
};
const Measured measuredNotes[] = {
    {0, 0.0, "0.0"},       {1, 0.04, "+0.0"},    {2, -0.0005, "0.0"},    {3, -0.04, "-0.0"},
    {14, -12.34, "-12.3"}, {48, -29.5, "-29.5"}, {57, 29.9995, "+30.0"}, {60, -6.99, "-7.0"},
    {62, 7.0005, "+7.0"},  {64, 30.01, "+30.0"}, {95, 1.26, "+1.3"},
};

class ReportCommand : public test::FreshState {
protected:
    // A document with the texts of form2.tnv (and its date, 2017-07-14 02:40
    // UTC), the notes above measured, under equal temperament at 440 Hz.
    std::string writeFixture(bool withTexts = true) {
        TonvelaDoc doc;
        std::string message;
        EXPECT_TRUE(
            doc.OnOpenDocument(std::string(TONVELA_TEST_DATA) + "/documents/form2.tnv", message))
            << message;
        DataStructure& state = DataStructure::getInstance();
        ToneScaleCollection& scales = state.getToneScales();
        scales.setScale("equal", 0, 440.0f, 0.0f);
        Protocol& protocol = state.getProtocol();
        protocol.clear();
        for (const Measured& m : measuredNotes) {
            const double target = scales.getNoteFrequency(m.note);
            protocol.setFrequency(m.note, static_cast<float>(target * std::exp2(m.cents / 1200.0)),
                                  false);
        }
        if (!withTexts) {
            for (auto set :
                 {&TonvelaDoc::setCustomer, &TonvelaDoc::setInstrument, &TonvelaDoc::setLocation,
                  &TonvelaDoc::setRemarks, &TonvelaDoc::setAuthor})
                (doc.*set)("");
        }
        const std::string path = files.file(withTexts ? "fixture.tnv" : "bare.tnv");
        EXPECT_TRUE(doc.OnSaveDocument(path, message)) << message;
        return path;
    }

    int report(const std::string& arguments, std::string& err,
               const std::string& environment = "LANG=C.UTF-8") {
        const std::string command = "env -u LC_ALL -u LC_MESSAGES -u LC_PAPER TZ=UTC " +
                                    environment + " TONVELA_CONFIG_DIR='" + cliSettings.path() +
                                    "' '" + TONVELA_CLI + "' report " + arguments;
        std::string out;
        return test::runCommand(command, out, err);
    }

    std::string run(const std::string& command) {
        std::string out, err;
        EXPECT_EQ(test::runCommand(command, out, err), 0) << command << ": " << err;
        return out;
    }

    std::vector<std::string> textLines(const std::string& pdf) {
        std::istringstream in(run("pdftotext -layout '" + pdf + "' -"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    test::TempDir files;
    test::TempDir cliSettings;
};

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

// The line that holds text, or "".
std::string lineWith(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos)
            return line;
    return "";
}

TEST_F(ReportCommand, TextsValuesAndEveryCellInBothLanguages) {
    const std::string fixture = writeFixture();
    struct Case {
        const char* language;
        std::vector<std::pair<const char*, const char*>> rows; // label, value on its line
        const char* octave;
        const char* date;
        std::vector<const char*> texts;
    };
    const Case cases[] = {
        {"en",
         {{"Customer:", "Parish"},
          {"Instrument:", "Organ"},
          {"Location:", "Hall"},
          {"Measuring Tool:", "Tonvela, Version 3.0.0"},
          {"Temperament:", "Equal Tempered, Perfect Octave"},
          {"Keynote:", "C"},
          {"Standard Pitch (A4):", "440.00 Hz"},
          {"Calibration", "0.000 Cent"},
          {"Octave Stretch:", "0.000 Cent"},
          {"Remarks:", "two"},
          {"Measurement done by:", "Bernd"}},
         "Octave",
         "Date: 07/14/2017",
         {"https://www.korvex.example", "Instrument Tune Up Protocol",
          "Measured Tones by Cent Deviation:", "Chart of Deviations:",
          "Scale: The perfect octave corresponds to 1200 cent",
          "Signature:..........................................."}},
        {"de",
         {{"Kunde:", "Parish"},
          {"Instrument:", "Organ"},
          {"Standort:", "Hall"},
          {"Messinstrument:", "Tonvela, Version 3.0.0"},
          {"Stimmung:", "Gleichstufige Stimmung, Reine Oktave"},
          {"Grundton:", "c"},
          {"Kammerton (a4):", "440.00 Hz"},
          {"Kalibrierung", "0.000 Cent"},
          {"Oktavstreckung:", "0.000 Cent"},
          {"Bemerkungen:", "two"},
          // The label wraps in its cell: "von:" goes to a second line.
          {"Messung durchgef\xC3\xBChrt", "Bernd"}},
         "Oktave",
         "Datum: 14.07.2017",
         {"Stimmprotokoll f\xC3\xBCr Musikinstrumente",
          "Abweichung der gemessenen T\xC3\xB6ne in Cent vom Sollwert:", "Chart der Abweichungen:",
          "Tonskala: Die reine Oktave misst 1200 Cent",
          "Unterschrift:..........................................."}},
    };
    for (const Case& c : cases) {
        const std::string pdf = files.file(std::string("report-") + c.language + ".pdf");
        std::string err;
        ASSERT_EQ(report("'" + fixture + "' -o '" + pdf + "' --language " + c.language, err), 0)
            << err;
        const std::vector<std::string> lines = textLines(pdf);
        for (const auto& [label, value] : c.rows) {
            const std::string line = lineWith(lines, label);
            EXPECT_NE(line.find(value), std::string::npos) << c.language << " " << label;
        }
        for (const char* text : c.texts)
            EXPECT_NE(lineWith(lines, text), "") << c.language << " " << text;
        EXPECT_NE(lineWith(lines, c.date), "") << c.language;
        // Each octave's row holds exactly its measured cells, in column order.
        for (int octave = 0; octave < 8; ++octave) {
            std::vector<std::string> expected{c.octave, std::to_string(octave)};
            for (const Measured& m : measuredNotes)
                if (m.note / 12 == octave)
                    expected.push_back(m.cell);
            const std::string name = std::string(c.octave) + " " + std::to_string(octave);
            EXPECT_EQ(words(lineWith(lines, name)), expected) << c.language << " " << name;
        }
    }
}

TEST_F(ReportCommand, OnePageOnTheLocalesPaper) {
    const std::string fixture = writeFixture();
    const struct {
        const char* environment;
        const char* size;
    } cases[] = {{"LANG=C.UTF-8", "(A4)"},
                 {"LANG=de_DE.UTF-8", "(A4)"},
                 {"LANG=en_US.UTF-8", "(letter)"},
                 {"LANG=de_DE.UTF-8 LC_PAPER=en_CA.UTF-8", "(letter)"}};
    for (const auto& c : cases) {
        const std::string pdf = files.file("paper.pdf");
        std::string err;
        ASSERT_EQ(report("'" + fixture + "' -o '" + pdf + "' --language en", err, c.environment), 0)
            << err;
        const std::string info = run("pdfinfo '" + pdf + "'");
        EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
        EXPECT_NE(lineWith(textLines(pdf), "Octave 0"), "");
        std::istringstream in(info);
        std::string size;
        for (std::string line; std::getline(in, line);)
            if (line.rfind("Page size:", 0) == 0)
                size = line;
        EXPECT_NE(size.find(c.size), std::string::npos) << c.environment << ": " << size;
    }
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(ReportCommand, ScaleOptionsReplaceTheDocumentsScale) {
    const std::string fixture = writeFixture();
    const std::string saved = fileBytes(fixture);
    const std::string pdf = files.file("scale.pdf");
    std::string err;
    // A4 at 441 Hz: the +29.9995 cents of 440 Hz become 29.9995 - 3.93 cents.
    ASSERT_EQ(report("'" + fixture + "' -o '" + pdf + "' --pitch 441 --language en", err), 0)
        << err;
    const std::vector<std::string> lines = textLines(pdf);
    EXPECT_NE(lineWith(lines, "Standard Pitch (A4):").find("441.00 Hz"), std::string::npos);
    EXPECT_NE(lineWith(lines, "Temperament:").find("Equal Tempered"), std::string::npos);
    const std::vector<std::string> octave4 = words(lineWith(lines, "Octave 4"));
    ASSERT_EQ(octave4.size(), 4u);
    EXPECT_EQ(octave4[3], "+26.1"); // A4

    ASSERT_EQ(report("'" + fixture + "' -o '" + pdf +
                         "' --temperament werckmeister3 --keynote G --language de",
                     err),
              0)
        << err;
    const std::vector<std::string> german = textLines(pdf);
    EXPECT_NE(lineWith(german, "Stimmung:").find("Werckmeister III"), std::string::npos);
    EXPECT_NE(lineWith(german, "Grundton:").find(" g"), std::string::npos);
    EXPECT_NE(lineWith(german, "Kammerton (a4):").find("440.00 Hz"), std::string::npos);

    // Printing leaves the document as it was.
    EXPECT_EQ(fileBytes(fixture), saved);
}

TEST_F(ReportCommand, FailuresLeaveNoFile) {
    const std::string fixture = writeFixture();
    const std::string bytes = fileBytes(fixture);
    const std::string truncated = files.file("truncated.tnv");
    std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    const std::string readOnly = files.file("readonly");
    fs::create_directory(readOnly);
    ::chmod(readOnly.c_str(), 0555);
    const std::string outputDir = files.file("out.pdf");
    fs::create_directory(outputDir);

    const struct {
        std::string document;
        std::string output;
        int code;
    } cases[] = {
        {truncated, files.file("t.pdf"), 1},
        {files.file("missing.tnv"), files.file("m.pdf"), 1},
        {fixture, outputDir, 1},
        // (root writes anywhere: the read-only folder proves nothing then)
        {fixture, ::geteuid() == 0 ? files.file("no/r.pdf") : readOnly + "/r.pdf", 1},
        {fixture, files.file("no/such/dir/r.pdf"), 1},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(report("'" + c.document + "' -o '" + c.output + "'", err), c.code)
            << c.document << " -> " << c.output;
        EXPECT_FALSE(err.empty()) << c.output;
        EXPECT_NE(err.find("tonvela-cli report"), std::string::npos) << err;
        if (c.output != outputDir) {
            EXPECT_FALSE(fs::exists(c.output)) << c.output;
        }
    }
    // Nothing half-written in the output folders either.
    EXPECT_TRUE(fs::is_empty(outputDir));
    EXPECT_TRUE(fs::is_empty(readOnly));
    ::chmod(readOnly.c_str(), 0755);

    std::string err;
    EXPECT_EQ(report("'" + fixture + "'", err), 2) << "no output";
    EXPECT_EQ(report("'" + fixture + "' -o x.pdf --pitch abc", err), 2);
}

} // namespace
} // namespace tonvela
