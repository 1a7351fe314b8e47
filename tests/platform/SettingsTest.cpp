#include "platform/store/Settings.h"
#include "platform/store/SettingsFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using tonvela::Settings;
using tonvela::SettingsFile;
using tonvela::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void restoreEnvironment(const char* name, const std::optional<std::string>& value) {
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

// Every case gets a settings tree of its own in a fresh directory; the
// process's own place is restored afterwards.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { ini = freshRoot(); }

    void TearDown() override {
        restoreEnvironment("TONVELA_CONFIG_DIR", savedConfigDir);
        Settings::openRoot("Tonvela");
    }

    // Points the store at a new empty directory; returns the file's path.
    std::string freshRoot() {
        dirs.push_back(std::make_unique<TempDir>());
        setenv("TONVELA_CONFIG_DIR", dirs.back()->path().c_str(), 1);
        EXPECT_EQ(Settings::openRoot("Tonvela"), 0);
        return dirs.back()->path() + "/Korvex/Tonvela.ini";
    }

    // A copy of the file under a new root, so reads parse what is on disk.
    void reopenFromCopy() {
        const std::string from = ini;
        ini = freshRoot();
        fs::copy_file(from, ini);
    }

    const std::optional<std::string> savedConfigDir = environment("TONVELA_CONFIG_DIR");
    std::vector<std::unique_ptr<TempDir>> dirs;
    std::string ini;
};

TEST_F(SettingsStore, FreshUserReadsDefaultsAndGetsTheFileOnFirstWrite) {
    EXPECT_TRUE(fs::is_directory(dirs.back()->path() + "/Korvex"));
    EXPECT_FALSE(fs::exists(ini));
    EXPECT_EQ(SettingsFile::path(), ini);
    {
        const Settings settings("settings");
        EXPECT_EQ(settings.readInt("harmonics", -1), -1);
        EXPECT_EQ(settings.readInt("mtool", 115), 115);
        EXPECT_EQ(settings.readInt("limit", 6000), 6000);
        EXPECT_EQ(settings.readFloat("calibIn", 0.0f), 0.0f);
        EXPECT_EQ(settings.readString("language", "xx"), "xx");
        EXPECT_EQ(settings.readString("author", ""), "");
    }
    EXPECT_EQ(tonvela::getProfileString("settings", "device"), "");
    EXPECT_EQ(tonvela::getProfileInt("Settings", "PreviewPages", 0), 0);
    EXPECT_FALSE(fs::exists(ini)) << "reading must not create the file";

    Settings("settings").writeString("language", "en");
    EXPECT_NE(readAll(ini).find("[settings]\nlanguage=en\n"), std::string::npos) << readAll(ini);
}

TEST_F(SettingsStore, RootFollowsTheEnvironmentAndCreatesMissingDirectories) {
    const std::string base = dirs.back()->path();
    const auto savedXdg = environment("XDG_CONFIG_HOME");
    const auto savedHome = environment("HOME");
    struct Case {
        std::optional<std::string> configDir, xdg, home;
        std::string expected;
    };
    const Case cases[] = {
        {base + "/own/deep/er", base + "/xdg", base + "/home",
         base + "/own/deep/er/Korvex/Tonvela.ini"},
        {std::nullopt, base + "/xdg/conf", base + "/home", base + "/xdg/conf/Korvex/Tonvela.ini"},
        {std::nullopt, std::nullopt, base + "/home", base + "/home/.config/Korvex/Tonvela.ini"},
        {std::nullopt, std::string("relative/xdg"), base + "/home",
         base + "/home/.config/Korvex/Tonvela.ini"},
    };
    for (const Case& c : cases) {
        restoreEnvironment("TONVELA_CONFIG_DIR", c.configDir);
        restoreEnvironment("XDG_CONFIG_HOME", c.xdg);
        restoreEnvironment("HOME", c.home);
        EXPECT_EQ(Settings::openRoot("Tonvela"), 0) << c.expected;
        EXPECT_EQ(SettingsFile::path(), c.expected);
        EXPECT_TRUE(fs::is_directory(fs::path(c.expected).parent_path())) << c.expected;
        tonvela::writeProfileInt("settings", "usage", 3);
        EXPECT_TRUE(fs::is_regular_file(c.expected)) << c.expected;
    }
    restoreEnvironment("XDG_CONFIG_HOME", savedXdg);
    restoreEnvironment("HOME", savedHome);
}

TEST_F(SettingsStore, WithoutARootReadsGiveDefaultsAndWritesAreSkipped) {
    const std::string blocker = dirs.back()->file("plain-file");
    writeAll(blocker, "not a directory");
    setenv("TONVELA_CONFIG_DIR", blocker.c_str(), 1);
    EXPECT_NE(Settings::openRoot("Tonvela"), 0);
    EXPECT_EQ(SettingsFile::path(), "");
    {
        Settings settings("settings");
        settings.writeInt("accuracy", 2);
        EXPECT_EQ(settings.readInt("accuracy", 0), 0);
    }
    tonvela::writeProfileString("settings", "device", "Mic");
    EXPECT_EQ(tonvela::getProfileString("settings", "device", "none"), "none");
    EXPECT_EQ(readAll(blocker), "not a directory");
    EXPECT_NE(Settings::openRoot("../Tonvela"), 0) << "a product key is one path part";
}

TEST_F(SettingsStore, SectionNamesIgnoreCaseValueNamesKeepIt) {
    Settings("Settings").writeInt("PreviewPages", 2);
    {
        Settings settings("settings");
        settings.writeInt("calibin", 1);
        settings.writeInt("calibIn", 2);
    }
    reopenFromCopy();
    const Settings settings("SETTINGS");
    EXPECT_EQ(settings.readInt("PreviewPages", 0), 2);
    EXPECT_EQ(settings.readInt("previewpages", 0), 0);
    EXPECT_EQ(settings.readInt("calibin", 0), 1);
    EXPECT_EQ(settings.readInt("calibIn", 0), 2);
    EXPECT_EQ(tonvela::getProfileInt("sEttings", "PreviewPages", 0), 2);
    const std::string text = readAll(ini);
    EXPECT_NE(text.find("[settings]"), std::string::npos) << text;
    EXPECT_EQ(text.find("[Settings]"), std::string::npos) << text;
}

TEST_F(SettingsStore, ProfileOperationsAndSettingsMeetInOneTree) {
    tonvela::writeProfileString("settings", "device", "USB Audio Device");
    tonvela::writeProfileString("Recent File List", "File1", "/home/anna/Kirche St. Marien.tnv");
    tonvela::writeProfileInt("settings", "usage", 125);
    // The profile operations write at once: the file already holds them.
    reopenFromCopy();
    {
        const Settings settings("settings");
        EXPECT_EQ(settings.readString("device", ""), "USB Audio Device");
        EXPECT_EQ(settings.readInt("usage", 0), 125);
        EXPECT_EQ(Settings("recent file list").readString("File1", ""),
                  "/home/anna/Kirche St. Marien.tnv");
    }
    {
        Settings tempr("Tempr");
        tempr.writeInt("count", 3);
        tempr.writeString("tempr_0", "Meine Stimmung");
        tempr.writeFloat("calibOut", -2.25f);
    }
    reopenFromCopy();
    EXPECT_EQ(tonvela::getProfileInt("tempr", "count", 0), 3);
    EXPECT_EQ(tonvela::getProfileString("TEMPR", "tempr_0"), "Meine Stimmung");
    EXPECT_EQ(tonvela::getProfileString("tempr", "calibOut"), "-2.250000");
    EXPECT_EQ(tonvela::getProfileString("tempr", "missing", "fallback"), "fallback");
}

TEST_F(SettingsStore, RealsAreStoredAsFixedTextWithSixDecimals) {
    struct Case {
        float value;
        const char* text;
        float readBack;
    };
    const Case cases[] = {
        {-100.0f, "-100.000000", -100.0f},
        {-3.5f, "-3.500000", -3.5f},
        {0.0f, "0.000000", 0.0f},
        {-0.0f, "-0.000000", -0.0f},
        {440.0f, "440.000000", 440.0f},
        {0.1f, "0.100000", 0.1f},
        {1e-7f, "0.000000", 0.0f},
        {123456.789f, "123456.789062", 123456.789f},
        {1e10f, "10000000000.000000", 1e10f},
    };
    for (const Case& c : cases) {
        Settings("settings").writeFloat("calibIn", c.value);
        EXPECT_EQ(tonvela::getProfileString("settings", "calibIn"), c.text) << c.value;
        EXPECT_EQ(Settings("settings").readFloat("calibIn", 7.0f), c.readBack) << c.text;
    }
    Settings("settings").writeFloat("calibIn", -100.0f);
    EXPECT_NE(readAll(ini).find("\ncalibIn=-100.000000\n"), std::string::npos) << readAll(ini);
}

TEST_F(SettingsStore, RealsWrittenByHandAreReadAsScanfReadsThem) {
    struct Case {
        const char* line;
        float expected;
    };
    const float fallback = 7.0f;
    const Case cases[] = {
        {"calibIn=2.5", 2.5f},
        {"calibIn=abc", fallback},
        {"calibIn=", fallback},
        {"calibIn=-3.500000", -3.5f},
        {"calibIn=\"  12.25\"", 12.25f},
        {"calibIn=1e3", 1000.0f},
        {"calibIn=440.00 cents", 440.0f},
        {"calibIn=3,5", 3.0f},
        {"calibIn=nan", fallback},
        {"calibIn=inf", fallback},
        {"calibIn=1e300", fallback},
        {"calibIn=-1e39", fallback},
        {"calibIn=@Invalid()", fallback},
    };
    for (const Case& c : cases) {
        const std::string path = freshRoot();
        writeAll(path, std::string("[settings]\n") + c.line + "\n");
        EXPECT_EQ(Settings("settings").readFloat("calibIn", fallback), c.expected) << c.line;
    }
}

TEST_F(SettingsStore, IntegersAreReadAsScanfReadsThem) {
    struct Case {
        const char* text;
        int expected;
    };
    const int fallback = 77;
    const Case cases[] = {
        {"12", 12},
        {"  -7", -7},
        {"+8", 8},
        {"12abc", 12},
        {"1.9", 1},
        {"0x1A", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", fallback},
        {"-2147483649", fallback},
        {"99999999999999999999", fallback},
        {"abc", fallback},
        {"", fallback},
        {"- 1", fallback},
        {"+-1", fallback},
    };
    for (const Case& c : cases) {
        Settings("settings").writeString("accuracy", c.text);
        EXPECT_EQ(Settings("settings").readInt("accuracy", fallback), c.expected) << c.text;
    }
    Settings("settings").writeInt("harmonics", -1);
    reopenFromCopy();
    EXPECT_NE(readAll(ini).find("\nharmonics=-1\n"), std::string::npos) << readAll(ini);
    EXPECT_EQ(Settings("settings").readInt("harmonics", 0), -1);
    EXPECT_EQ(Settings("settings").readInt("missing", fallback), fallback);
}

TEST_F(SettingsStore, StringsRoundTripExactlyThroughTheFile) {
    const std::string texts[] = {
        "plain",
        "",
        "a,b",
        "Müller, Hans",
        "a;b;c",
        "key=value",
        "\"quoted\"",
        "'single'",
        "back\\slash\\",
        "  leading and trailing  ",
        "\ttab",
        "two\nlines",
        "crlf\r\n",
        "@Variant(\\0\\0\\0\\x7f)",
        "@@",
        "@",
        "#not a comment",
        ";not a comment",
        "[not a section]",
        "%41%",
        "Größe € 𝄞 日本",
        std::string("nul\0inside", 10),
        std::string(400, ','),
    };
    {
        Settings settings("settings");
        for (std::size_t i = 0; i < std::size(texts); ++i)
            settings.writeString("text" + std::to_string(i), texts[i]);
    }
    reopenFromCopy();
    const Settings settings("settings");
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(settings.readString("text" + std::to_string(i), "<default>"), texts[i])
            << "case " << i;
}

// Qt reads an unquoted text with commas as a list; it reads back as the text
// Qt itself would write for that list.
TEST_F(SettingsStore, TextsWrittenByHandReadAsTheirText) {
    writeAll(ini, "[settings]\n"
                  "author=M\xc3\xbcller, Hans\n"
                  "device=a,b\n"
                  "home=\"https://example.org/a,b\"\n"
                  "language=  de  \n"
                  "raw=@ByteArray(bytes)\n"
                  "shape=@Rect(1 2 3 4)\n"
                  "lines=two\\nlines\n");
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"author", "M\xc3\xbcller, Hans"},
        {"device", "a, b"},
        {"home", "https://example.org/a,b"},
        {"language", "de"},
        {"raw", "bytes"},
        {"shape", "<default>"},
        {"lines", "two\nlines"},
    };
    const Settings settings("settings");
    for (const Case& c : cases)
        EXPECT_EQ(settings.readString(c.name, "<default>"), c.expected) << c.name;
}

TEST_F(SettingsStore, StringsLongerThanTenThousandBytesInUtf16GiveTheDefault) {
    struct Case {
        std::string text;
        bool readable;
    };
    auto repeat = [](const std::string& piece, int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    const Case cases[] = {
        {std::string(499, 'a'), true},   {std::string(4000, 'b'), true},
        {std::string(4999, 'c'), true},  {std::string(5000, 'd'), false},
        {std::string(6000, 'e'), false}, {repeat("é", 4999), true},
        {repeat("é", 5000), false},      {repeat("𝄞", 2499) + "x", true},
        {repeat("𝄞", 2500), false},
    };
    {
        Settings settings("tempr");
        for (std::size_t i = 0; i < std::size(cases); ++i)
            settings.writeString("ftempr_" + std::to_string(i), cases[i].text);
    }
    reopenFromCopy();
    const Settings settings("tempr");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string read = settings.readString("ftempr_" + std::to_string(i), "<default>");
        EXPECT_EQ(read, cases[i].readable ? cases[i].text : "<default>")
            << "case " << i << ", " << cases[i].text.size() << " bytes";
    }
}

// Qt's reader would keep what it understood of these, and the next write would
// replace the file by that.
TEST_F(SettingsStore, CorruptFileIsKeptAsBackupAndTheStoreStartsAfresh) {
    const std::string cases[] = {
        "[settings\ncalibIn=2.5\naccuracy=1\n",
        "[settings]\ncalibIn=2.5\nthis line is no value\naccuracy=1\n",
        "[settings]\ncalibIn=2.5\nauthor=M\xfcller\naccuracy=1\n",
        std::string("\x00\x01\x02\xff\xfe garbage [x\n", 17),
    };
    for (const std::string& content : cases) {
        const std::string path = freshRoot();
        writeAll(path, content);
        {
            Settings settings("settings");
            EXPECT_EQ(settings.readFloat("calibIn", 0.0f), 0.0f) << content;
            EXPECT_EQ(settings.readInt("accuracy", 0), 0) << content;
            settings.writeInt("autoSwap", 1);
        }
        EXPECT_EQ(readAll(path + ".corrupt"), content) << "the user's file must survive";
        EXPECT_EQ(tonvela::getProfileInt("settings", "autoSwap", 0), 1) << content;
        EXPECT_EQ(tonvela::getProfileInt("settings", "accuracy", 0), 0) << content;
        EXPECT_EQ(readAll(path).find("calibIn"), std::string::npos) << readAll(path);
    }

    // A second corrupt file does not replace the first backup.
    ini = freshRoot();
    writeAll(ini, "[settings\nfirst\n");
    EXPECT_EQ(tonvela::getProfileInt("settings", "accuracy", 5), 5);
    writeAll(ini, "[settings\nsecond, a little longer\n");
    tonvela::writeProfileInt("settings", "accuracy", 2);
    EXPECT_EQ(readAll(ini + ".corrupt"), "[settings\nfirst\n");
    EXPECT_EQ(readAll(ini + ".corrupt.2"), "[settings\nsecond, a little longer\n");
    EXPECT_EQ(tonvela::getProfileInt("settings", "accuracy", 0), 2);
}

TEST_F(SettingsStore, CorruptFileThatCannotBeMovedAsideIsLeftUntouched) {
    const std::string content = "[settings\naccuracy=1\n";
    writeAll(ini, content);
    writeAll(ini + ".corrupt", "older backup");
    for (int n = 2; n <= 100; ++n)
        writeAll(ini + ".corrupt." + std::to_string(n), "older backup");
    for (int round = 0; round < 2; ++round) {
        Settings settings("settings");
        EXPECT_EQ(settings.readInt("accuracy", 0), 0) << round;
        settings.writeInt("accuracy", 2);
    }
    tonvela::writeProfileInt("settings", "accuracy", 2);
    EXPECT_EQ(readAll(ini), content);
    EXPECT_EQ(readAll(ini + ".corrupt"), "older backup");

    // Only a new process tries again: this one has already parsed the file.
    fs::remove(ini + ".corrupt.100");
    ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    tonvela::writeProfileInt("settings", "accuracy", 2);
    EXPECT_EQ(readAll(ini), content);
}

TEST_F(SettingsStore, UnreadableFileIsLeftUntouched) {
    enum Kind { Directory, LinkLoop, BrokenLink, Pipe };
    const Kind cases[] = {Directory, LinkLoop, BrokenLink, Pipe};
    for (const Kind kind : cases) {
        const std::string path = freshRoot();
        switch (kind) {
        case Directory:
            fs::create_directory(path);
            break;
        case LinkLoop:
            fs::create_symlink("Tonvela.ini", path);
            break;
        case BrokenLink:
            fs::create_symlink("missing/Tonvela.ini", path);
            break;
        case Pipe:
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
            break;
        }
        const auto before = fs::symlink_status(path).type();
        {
            Settings settings("settings");
            EXPECT_EQ(settings.readInt("accuracy", 9), 9) << kind;
            settings.writeInt("accuracy", 1);
        }
        tonvela::writeProfileString("settings", "device", "Mic");
        EXPECT_EQ(tonvela::getProfileString("settings", "device", "none"), "none") << kind;
        EXPECT_EQ(fs::symlink_status(path).type(), before) << kind;
        if (kind == LinkLoop || kind == BrokenLink) {
            EXPECT_EQ(fs::read_symlink(path),
                      kind == LinkLoop ? "Tonvela.ini" : "missing/Tonvela.ini");
        }
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
            names.push_back(entry.path().filename());
        EXPECT_EQ(names, std::vector<std::string>{"Tonvela.ini"}) << "no backup: " << kind;
    }
}

TEST_F(SettingsStore, FileWithoutReadPermissionIsLeftUntouched) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not apply";
    const std::string content = "[settings]\naccuracy=2\n";
    writeAll(ini, content);
    ASSERT_EQ(chmod(ini.c_str(), 0), 0);
    {
        Settings settings("settings");
        EXPECT_EQ(settings.readInt("accuracy", 0), 0);
        settings.writeInt("accuracy", 1);
    }
    ASSERT_EQ(chmod(ini.c_str(), 0600), 0);
    EXPECT_EQ(readAll(ini), content);
}

TEST_F(SettingsStore, WritesReplaceTheFileAtomically) {
    Settings("settings").writeInt("accuracy", 1);
    const std::string oldLink = dirs.back()->file("old-file");
    fs::create_hard_link(ini, oldLink);
    const std::string oldContent = readAll(ini);
    struct stat before {};
    ASSERT_EQ(stat(ini.c_str(), &before), 0);

    Settings("settings").writeInt("accuracy", 2);

    struct stat after {};
    ASSERT_EQ(stat(ini.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "a new file renamed over the old one";
    EXPECT_EQ(readAll(oldLink), oldContent) << "the old file was never written in place";
    EXPECT_EQ(tonvela::getProfileInt("settings", "accuracy", 0), 2);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(ini).parent_path()))
        names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"Tonvela.ini"}) << "no temporary file is left";
}

TEST_F(SettingsStore, NumbersIgnoreADecimalCommaLocale) {
    struct LocaleScope {
        bool active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        ~LocaleScope() { std::setlocale(LC_ALL, "C"); }
    } locale;
    if (!locale.active)
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed (the set-up script generates it)";
    {
        Settings settings("settings");
        settings.writeFloat("calibIn", -3.5f);
        settings.writeFloat("calibOut", 1234.5f);
        settings.writeInt("limit", 6000);
    }
    const std::string text = readAll(ini);
    EXPECT_NE(text.find("\ncalibIn=-3.500000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\ncalibOut=1234.500000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nlimit=6000\n"), std::string::npos) << text;
    reopenFromCopy();
    const Settings settings("settings");
    EXPECT_EQ(settings.readFloat("calibIn", 0.0f), -3.5f);
    EXPECT_EQ(settings.readFloat("calibOut", 0.0f), 1234.5f);
    EXPECT_EQ(settings.readInt("limit", 0), 6000);

    const std::string path = freshRoot();
    writeAll(path, "[settings]\ncalibIn=2.5\ncalibOut=2,5\n");
    EXPECT_EQ(Settings("settings").readFloat("calibIn", 0.0f), 2.5f);
    EXPECT_EQ(Settings("settings").readFloat("calibOut", 0.0f), 2.0f);
}

TEST_F(SettingsStore, UseFromTwoThreadsDoesNotCrashOrLoseValues) {
    auto work = [](const std::string& section) {
        for (int i = 0; i < 20; ++i) {
            Settings settings(section);
            settings.writeInt("round", i);
            settings.readInt("round", -1);
        }
    };
    std::thread first(work, "first");
    std::thread second(work, "second");
    first.join();
    second.join();
    EXPECT_EQ(tonvela::getProfileInt("first", "round", -1), 19);
    EXPECT_EQ(tonvela::getProfileInt("second", "round", -1), 19);
}

// Owners such as the central state write their settings when they are
// destroyed at process exit, which may come after the store's own machinery is
// torn down. The check runs in a child process of this test program.
struct ExitWriter {
    ~ExitWriter() { Settings("settings").writeInt("usage", 42); }
};

TEST(SettingsAtExit, Child) {
    const char* dir = std::getenv("TONVELA_EXIT_TEST_DIR");
    if (!dir)
        GTEST_SKIP() << "runs only as the child of WriteAtExitReachesTheFile";
    static ExitWriter writer; // created before the store is first used
    setenv("TONVELA_CONFIG_DIR", dir, 1);
    ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    EXPECT_EQ(Settings("settings").readInt("usage", 0), 0);
}

TEST(SettingsAtExit, WriteAtExitReachesTheFile) {
    const TempDir dir;
    const std::string self = fs::read_symlink("/proc/self/exe");
    const std::string command = "TONVELA_EXIT_TEST_DIR='" + dir.path() + "' '" + self +
                                "' --gtest_filter=SettingsAtExit.Child >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "the child crashed, status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(readAll(dir.path() + "/Korvex/Tonvela.ini").find("usage=42"), std::string::npos);
}

} // namespace
