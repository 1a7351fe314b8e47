#include "platform/store/Settings.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace tonvela {
namespace {

struct CliRun {
    int code;
    std::string out, err;
};

// Runs tonvela-cli with a settings store of its own and a German-free locale
// unless the case says otherwise.
class TuningCommands : public ::testing::Test {
protected:
    CliRun run(const std::string& arguments, const std::string& environment = "LANG=C.UTF-8") {
        const std::string command = "env -u LC_ALL -u LC_MESSAGES TONVELA_CONFIG_DIR='" +
                                    dir.path() + "' " + environment + " '" + TONVELA_CLI + "' " +
                                    arguments;
        CliRun result;
        result.code = test::runCommand(command, result.out, result.err);
        return result;
    }
    static std::string line(const std::string& out, const std::string& start) {
        std::istringstream in(out);
        std::string text;
        while (std::getline(in, text))
            if (text.rfind(start, 0) == 0)
                return text;
        return "<no line " + start + ">";
    }
    test::TempDir dir;
};

TEST_F(TuningCommands, NotesUnderScaleSettings) {
    struct Case {
        const char* arguments;
        const char* line;
    };
    const Case cases[] = {
        {"notes", "57\tA4\t440.0000"},
        {"notes", "48\tC4\t261.6256"},
        {"notes", "0\tC0\t16.3516"},
        {"notes --pitch 415", "57\tA4\t415.0000"},
        {"notes --pitch 100", "57\tA4\t100.0000"},
        {"notes --pitch 1000", "57\tA4\t1000.0000"},
        {"notes --calibration -100", "57\tA4\t415.3047"},
        {"notes --calibration 10", "57\tA4\t442.5489"},
        {"notes --temperament pythagorean", "60\tC5\t521.4815"},
        {"notes --temperament kirnberger3_1779 --keynote D", "48\tC4\t261.5518"},
        {"notes --temperament kirnberger3_1779 --keynote G", "48\tC4\t262.3653"},
        {"notes --keynote E", "48\tB#4\t261.6256"},
        {"notes --keynote es --language de", "51\tes4\t311.1270"},
        {"notes --temperament=equal4", "69\tA5\t877.6182"},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.code, 0) << c.arguments << ": " << result.err;
        EXPECT_EQ(
            line(result.out, std::string(c.line).substr(0, std::string(c.line).find('\t') + 1)),
            c.line)
            << c.arguments;
    }
    const CliRun all = run("notes");
    EXPECT_EQ(line(all.out, "95\t"), "95\tB7\t3951.0664");
    EXPECT_EQ(line(all.out, "96\t"), "<no line 96\t>");
}

TEST_F(TuningCommands, BadOptionsAreRefused) {
    const char* cases[] = {
        "notes --pitch abc",
        "notes --pitch 440Hz",
        "notes --pitch 0",
        "notes --pitch -440",
        "notes --pitch 1e-40",
        "notes --pitch 0.999",
        "notes --pitch 99.99",
        "notes --pitch 1000.01",
        "notes --pitch 20000",
        "notes --calibration x",
        "notes --calibration 5000",
        "notes --calibration 100.01",
        "notes --keynote H",
        "notes --keynote ''",
        "notes --temperament Equal",
        "notes --language fr",
        "notes --pitch",
        "notes surplus",
        "temperaments --language",
        "temperaments --language EN",
        "temperaments more",
        "temperaments --scl",
        "temperaments --scl nope",
        "temperaments -o x.scl",
        "temperaments --scl equal -o ''",
    };
    for (const char* arguments : cases) {
        const CliRun result = run(arguments);
        EXPECT_EQ(result.code, 2) << arguments;
        EXPECT_FALSE(result.err.empty()) << arguments;
        EXPECT_TRUE(result.out.empty()) << arguments;
    }
}

TEST_F(TuningCommands, LanguageOptionDoesNotTouchTheSetting) {
    const CliRun german = run("temperaments --language de");
    EXPECT_EQ(german.code, 0);
    EXPECT_EQ(line(german.out, "pythagorean\t").substr(0, 26), "pythagorean\tPythagoreisch\t");
    setenv("TONVELA_CONFIG_DIR", dir.path().c_str(), 1);
    ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    EXPECT_EQ(Settings("settings").readString("language", "<unset>"), "<unset>");

    // Without the option the start-up rule decides and keeps its choice.
    const CliRun first = run("notes", "LANG=de_DE.UTF-8");
    EXPECT_EQ(line(first.out, "57\t"), "57\ta4\t440.0000");
    EXPECT_EQ(Settings("settings").readString("language", "<unset>"), "de");
    const CliRun later = run("notes", "LANG=en_US.UTF-8");
    EXPECT_EQ(line(later.out, "57\t"), "57\ta4\t440.0000");
}

TEST_F(TuningCommands, TemperamentsListsUserOnesFirst) {
    setenv("TONVELA_CONFIG_DIR", dir.path().c_str(), 1);
    ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    {
        Settings tempr("Tempr");
        tempr.writeInt("count", 1);
        tempr.writeString("tempr_0", "1234;My organ;0;1.5;0;0;0;0;0;0;0;0;0;-2;0.25");
        tempr.writeInt("fullCount", 1);
        tempr.writeString("ftempr_0", "99;My piano;1;2;3");
    }
    const CliRun result = run("temperaments");
    ASSERT_EQ(result.code, 0) << result.err;
    std::istringstream in(result.out);
    std::string first, second, third;
    std::getline(in, first);
    std::getline(in, second);
    std::getline(in, third);
    EXPECT_EQ(first, "c_1234\tMy organ\t0.000 1.500 0.000 0.000 0.000 0.000 0.000 0.000 0.000 "
                     "0.000 0.000 -2.000\t0.250000");
    EXPECT_EQ(second.rfind("f_99\tMy piano\t1.000 2.000 3.000 0.000 ", 0), 0u) << second;
    EXPECT_EQ(std::count(second.begin(), second.end(), ' '), 107 + 1); // "My piano" has one
    EXPECT_EQ(third.rfind("equal\tEqual Tempered, Perfect Octave\t", 0), 0u);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 140);
    EXPECT_EQ(line(result.out, "equal4\t").substr(line(result.out, "equal4\t").rfind('\t')),
              "\t-4.692002");
}

TEST_F(TuningCommands, TemperamentAsScalaFile) {
    setenv("TONVELA_CONFIG_DIR", dir.path().c_str(), 1);
    ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    {
        Settings tempr("Tempr");
        tempr.writeInt("count", 1);
        tempr.writeString("tempr_0", "1234;My organ;0;1.5;0;0;0;0;0;0;0;0;0;-2;0.25");
    }
    const CliRun organ = run("temperaments --scl c_1234");
    ASSERT_EQ(organ.code, 0) << organ.err;
    EXPECT_EQ(organ.out, "! c_1234.scl\n!\nMy organ\n 12\n!\n 101.52083\n 200.04167\n"
                         " 300.06250\n 400.08333\n 500.10417\n 600.12500\n 700.14583\n"
                         " 800.16667\n 900.18750\n 1000.20833\n 1098.22917\n 1200.25000\n");

    // To a file, under the decimal comma too.
    const std::string path = dir.file("kirnberger.scl");
    const CliRun written =
        run("temperaments --scl kirnberger3_1779 -o '" + path + "'", "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(written.code, 0) << written.err;
    EXPECT_TRUE(written.out.empty());
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str().rfind("! kirnberger.scl\n!\n", 0), 0u) << text.str();
    EXPECT_NE(text.str().find("\n 12\n!\n"), std::string::npos) << text.str();
    EXPECT_EQ(text.str().find(','), std::string::npos) << text.str();

    const CliRun unwritable = run("temperaments --scl equal -o '" + dir.path() + "/no/such.scl'");
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos);
}

} // namespace
} // namespace tonvela
