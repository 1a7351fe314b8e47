#include "layering/IncludeRules.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using tonvela::test::checkIncludes;
using tonvela::test::IncludeFinding;
using tonvela::test::TempDir;

namespace {

std::string describe(const std::vector<IncludeFinding>& findings) {
    std::ostringstream out;
    for (const IncludeFinding& f : findings)
        out << f.file << ":" << f.line << ": #include " << f.include << ": " << f.reason << "\n";
    return out.str();
}

// A small source tree and a small Qt tree to check the rules against.
class Tree {
public:
    void write(const std::string& relative, const std::string& text) {
        const fs::path path = fs::path(dir.path()) / "src" / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    void qtHeader(const std::string& module, const std::string& name) {
        const fs::path path = fs::path(dir.path()) / "qt" / module / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "\n";
    }
    std::vector<IncludeFinding> check() const {
        return checkIncludes(dir.path() + "/src", dir.path() + "/qt");
    }

private:
    TempDir dir;
};

} // namespace

// The project's own tree keeps the layering.
TEST(Layering, SourceTreeIncludesRunOneWay) {
    ASSERT_TRUE(fs::is_directory(TONVELA_SOURCE_DIR));
    ASSERT_TRUE(fs::is_directory(std::string(TONVELA_QT_INCLUDE_DIR) + "/QtCore"))
        << TONVELA_QT_INCLUDE_DIR;
    const auto findings = checkIncludes(TONVELA_SOURCE_DIR, TONVELA_QT_INCLUDE_DIR);
    EXPECT_TRUE(findings.empty()) << describe(findings);
}

TEST(Layering, FindsEachKindOfFault) {
    struct Case {
        const char* file;
        const char* text;
        const char* expectedReason; // nullptr: no finding
    };
    const Case cases[] = {
        // Downward and same-folder includes are fine, quoted or relative.
        {"tuning/A.h", "#include \"runtime/Complex.h\"\n#include \"B.h\"\n", nullptr},
        {"analysis/C.cpp", "#include \"state/S.h\"\n#include \"audio/D.h\"\n", nullptr},
        {"cli/M.cpp", "#include \"analysis/R.h\"\n#include <QGuiApplication>\n", nullptr},
        {"platform/gui/W.h", "#include <QWidget>\n#include \"runtime/Complex.h\"\n", nullptr},
        {"panel/N.cpp", "#include \"runtime/Messages.h\"\n", nullptr},
        {"app/F.cpp", "#include <QtWidgets/QMainWindow>\n#include \"panel/P.h\"\n", nullptr},
        {"platform/store/F.cpp", "#include <QSettings>\n#include <qglobal.h>\n", nullptr},
        {"state/Z.h", "#include <QtZ>\n#include <vector>\n", nullptr},
        // Upward and sideways includes.
        {"tuning/U.cpp", "#include \"state/S.h\"\n", "tuning (rank 3) includes state (rank 4)"},
        {"resources/L.cpp", "#include \"tuning/B.h\"\n",
         "resources (rank 2) includes tuning (rank 3)"},
        {"audio/V.h", "#include \"analysis/R.h\"\n", "audio (rank 5) includes analysis (rank 6)"},
        {"platform/audio/X.cpp", "#include \"platform/store/Y.h\"\n",
         "platform/audio (rank 1) includes platform/store (rank 1)"},
        {"widgets/B.cpp", "#include \"panel/P.h\"\n", "widgets (rank 9) includes panel (rank 10)"},
        {"analysis/E.cpp", "#include \"cli/M.h\"\n", "analysis (rank 6) includes cli (rank 12)"},
        {"platform/gui/G.cpp", "#include \"analysis/R.h\"\n",
         "platform/gui (rank 1) includes analysis (rank 6)"},
        {"platform/gui/H.cpp", "#include \"platform/audio/A.h\"\n",
         "platform/gui (rank 1) includes platform/audio (rank 1)"},
        // Window messages in the core.
        {"state/M.h", "#include \"runtime/Messages.h\"\n", "state includes the window messages"},
        {"analysis/M.cpp", "#include \"runtime/Messages.h\"\n",
         "analysis includes the window messages"},
        // Qt where it does not belong.
        {"runtime/Q.h", "#include <QString>\n", "Qt Core in runtime headers, which allow no Qt"},
        {"state/Q.cpp", "#include <QtGui/QImage>\n",
         "Qt Gui in state sources, which allow Qt Core"},
        {"tools/Q.cpp", "#include <QPushButton>\n",
         "Qt Widgets in tools sources, which allow Qt Core"},
        {"cli/Q.cpp", "#  include <QApplication>\n",
         "Qt Widgets in cli sources, which allow Qt Gui"},
        {"panel/Q.cpp", "#include <QtCore>\n", "Qt Core in panel sources, which allow no Qt"},
        {"widgets/T.cpp", "#include \"platform/gui/W.h\"\n",
         "widgets reaches the Qt header <QWidget> through it"},
        // A folder without a rank.
        {"gadgets/G.cpp", "#include \"runtime/Complex.h\"\n",
         "its folder has no place in the layering"},
    };
    for (const Case& c : cases) {
        Tree tree;
        tree.qtHeader("QtCore", "QString");
        tree.qtHeader("QtCore", "QSettings");
        tree.qtHeader("QtCore", "qglobal.h");
        tree.qtHeader("QtGui", "QGuiApplication");
        tree.qtHeader("QtGui", "QImage");
        tree.qtHeader("QtWidgets", "QWidget");
        tree.qtHeader("QtWidgets", "QPushButton");
        tree.qtHeader("QtWidgets", "QApplication");
        tree.qtHeader("QtWidgets", "QMainWindow");
        for (const char* header : {"runtime/Complex.h", "tuning/B.h", "state/S.h", "audio/D.h",
                                   "analysis/R.h", "panel/P.h", "cli/M.h", "platform/store/Y.h",
                                   "platform/audio/A.h", "runtime/Messages.h"})
            tree.write(header, "#pragma once\n");
        if (std::string(c.file) != "platform/gui/W.h")
            tree.write("platform/gui/W.h", "#pragma once\n#include <QWidget>\n");
        tree.write(c.file, c.text);

        const auto findings = tree.check();
        if (!c.expectedReason) {
            EXPECT_TRUE(findings.empty()) << c.file << "\n" << describe(findings);
            continue;
        }
        ASSERT_EQ(findings.size(), 1u) << c.file << "\n" << describe(findings);
        EXPECT_EQ(findings[0].file, c.file);
        EXPECT_EQ(findings[0].reason, c.expectedReason) << c.file;
    }
}
