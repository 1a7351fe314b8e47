// The report's commands of the main window (Print, Print Preview, Print
// Setup, Export PDF) and the program's print switches. No test reaches a
// printer: dialogs are closed as soon as they show, printing goes to PDF.
#include "app/ReportPrinting.h"
#include "app/FileDialogs.h"
#include "app/MainFrame.h"
#include "app/TonvelaApp.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/WindowTesting.h"
#include "resources/CommandIds.h"
#include "resources/Language.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <QAbstractPrintDialog>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QToolBar>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tonvela {
namespace {

namespace fs = std::filesystem;

const std::string form2 = std::string(TONVELA_TEST_DATA) + "/documents/form2.tnv";

class ReportPrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousConfig = std::getenv("TONVELA_CONFIG_DIR");
        setenv("TONVELA_CONFIG_DIR", dir.file("config").c_str(), 1);
        resetLanguage();
        setMessageBoxAnswer([this](const std::string& text, const std::string&, unsigned) {
            boxes.push_back(text);
            return IDOK;
        });
        setFileDialogAnswer([this](bool) { return fileAnswer; });
    }

    void TearDown() override {
        stop();
        setMessageBoxAnswer(nullptr);
        setFileDialogAnswer(nullptr);
        resetLanguage();
        setenv("TONVELA_CONFIG_DIR", previousConfig.c_str(), 1);
    }

    void start(Language language, const std::vector<std::string>& arguments = {}) {
        auto backend = std::make_unique<VirtualAudioBackend>();
        VirtualInputDevice device;
        device.name = "Quiet";
        device.generator = [](double) { return 0.0; };
        backend->addInputDevice(device);
        ASSERT_TRUE(installAudioBackend(std::move(backend)));
        overrideLanguage(language);
        app.emplace();
        ASSERT_EQ(app->initInstance(arguments), TonvelaApp::Start::Running);
    }

    void stop() {
        if (app) {
            app->exitInstance();
            app.reset();
            installAudioBackend(nullptr);
        }
    }

    MainFrame& frame() { return *app->getMainFrame(); }

    // Runs command while the modal dialog it opens is looked at by check,
    // then closed.
    template <typename Command>
    bool withDialog(Command command, const std::function<void(QWidget*)>& check) {
        bool seen = false;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                seen = true;
                check(dialog);
                QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            }
        });
        timer.start();
        command();
        return seen;
    }

    std::string pdfText(const std::string& pdf) {
        std::string out, err;
        EXPECT_EQ(test::runCommand("pdftotext -layout '" + pdf + "' -", out, err), 0) << err;
        return out;
    }

    test::TempDir dir;
    std::string previousConfig;
    std::optional<TonvelaApp> app;
    std::vector<std::string> boxes;
    std::string fileAnswer;
};

std::vector<std::string> menuTexts(QMenu* menu) {
    std::vector<std::string> texts;
    for (QAction* action : menu->actions())
        if (action->isVisible())
            texts.push_back(action->isSeparator() ? "|" : action->text().toStdString());
    return texts;
}

TEST_F(ReportPrintingTest, FileMenuAndToolbarInBothLanguages) {
    const struct {
        Language language;
        std::vector<std::string> file;
        const char* previewTip;
    } cases[] = {
        {Language::English,
         {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "|",
          "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "&Export PDF...", "|",
          "Recent File", "|", "E&xit"},
         "Print Preview"},
        {Language::German,
         {"&Neu\tCtrl+N", "\xC3\x96&ffnen...\tCtrl+O", "&Speichern\tCtrl+S", "Speichern &unter...",
          "|", "&Drucken...\tCtrl+P", "Seiten&ansicht", "Drucker &einrichten...",
          "Als &PDF exportieren...", "|", "Letzte Datei", "|", "S&chliessen"},
         "Seitenansicht"},
    };
    for (const auto& c : cases) {
        start(c.language);
        QMenu* file = frame().menuBar()->findChild<QMenu*>(QStringLiteral("FileMenu"));
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(menuTexts(file), c.file);
        EXPECT_EQ(frame().action(ID_FILE_PRINT)->shortcut(),
                  QKeySequence(QStringLiteral("Ctrl+P")));
        const QList<QAction*> tools = frame().toolBar()->actions();
        ASSERT_GE(tools.size(), 4);
        EXPECT_EQ(tools[3], frame().action(ID_FILE_PRINT_PREVIEW));
        EXPECT_EQ(tools[3]->toolTip().toStdString(), c.previewTip);
        EXPECT_FALSE(tools[3]->icon().isNull());
        stop();
        resetLanguage();
    }
}

TEST_F(ReportPrintingTest, DialogsOfferExactlyOnePage) {
    start(Language::English, {form2});
    EXPECT_TRUE(withDialog([&] { frame().action(ID_FILE_PRINT)->trigger(); },
                           [](QWidget* dialog) {
                               auto* print = qobject_cast<QAbstractPrintDialog*>(dialog);
                               ASSERT_NE(print, nullptr);
                               EXPECT_EQ(print->minPage(), 1);
                               EXPECT_EQ(print->maxPage(), 1);
                           }));
    int previewPages = -1;
    EXPECT_TRUE(withDialog([&] { frame().action(ID_FILE_PRINT_PREVIEW)->trigger(); },
                           [&](QWidget* dialog) {
                               if (auto* preview = dialog->findChild<QPrintPreviewWidget*>())
                                   previewPages = preview->pageCount();
                           }));
    EXPECT_EQ(previewPages, 1);
    EXPECT_TRUE(withDialog(
        [&] { frame().action(ID_FILE_PRINT_SETUP)->trigger(); },
        [](QWidget* dialog) { EXPECT_EQ(dialog->objectName().toStdString(), "PrintSetup"); }));
    EXPECT_FALSE(app->getDocument()->IsModified());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ReportPrintingTest, QtsOwnDialogTextsInGerman) {
    start(Language::German, {form2});
    std::string printTitle, previewTitle;
    EXPECT_TRUE(
        withDialog([&] { frame().action(ID_FILE_PRINT)->trigger(); },
                   [&](QWidget* dialog) { printTitle = dialog->windowTitle().toStdString(); }));
    EXPECT_TRUE(
        withDialog([&] { frame().action(ID_FILE_PRINT_PREVIEW)->trigger(); },
                   [&](QWidget* dialog) { previewTitle = dialog->windowTitle().toStdString(); }));
    EXPECT_EQ(printTitle, "Drucken");
    EXPECT_EQ(previewTitle, "Druckvorschau");
}

TEST_F(ReportPrintingTest, PrinterGetsTheReportOfTheCurrentScale) {
    // The date as the clock of a known zone shows it.
    struct UtcClock {
        std::optional<std::string> previous;
        UtcClock() {
            if (const char* zone = std::getenv("TZ"))
                previous = zone;
            setenv("TZ", "UTC", 1);
            tzset();
        }
        ~UtcClock() {
            if (previous)
                setenv("TZ", previous->c_str(), 1);
            else
                unsetenv("TZ");
            tzset();
        }
    } utc;
    start(Language::German, {form2});
    // A later change of the scale shows in the report: it is worked out when
    // printed.
    DataStructure::getInstance().getToneScales().setScale("equal", 0, 440.0f, 0.0f);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string pdf = dir.file("printed.pdf");
    printer.setOutputFileName(QString::fromStdString(pdf));
    ASSERT_TRUE(ReportPrinting::printReport(*app->getDocument(), printer));
    std::string info, err;
    ASSERT_EQ(test::runCommand("pdfinfo '" + pdf + "'", info, err), 0) << err;
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("Gleichstufige Stimmung"), std::string::npos) << text;
    EXPECT_NE(text.find("Kunde:"), std::string::npos);
    EXPECT_NE(text.find("Datum: 14.07.2017"), std::string::npos);
}

TEST_F(ReportPrintingTest, ExportPdfWritesTheReportOrSaysWhyNot) {
    start(Language::English, {form2});
    const std::string pdf = dir.file("exported.pdf");
    fileAnswer = pdf;
    frame().action(ID_FILE_EXPORT_PDF)->trigger();
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_NE(pdfText(pdf).find("Werckmeister III"), std::string::npos);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(app->getDocument()->IsModified());

    // A folder in the way: a message, nothing written.
    const std::string folder = dir.file("folder.pdf");
    fs::create_directory(folder);
    fileAnswer = folder;
    frame().action(ID_FILE_EXPORT_PDF)->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "The report could not be written to " + folder + ".");
    EXPECT_TRUE(fs::is_empty(folder));

    // Cancel: nothing at all.
    fileAnswer.clear();
    EXPECT_FALSE(frame().reportPrinting().exportPdf("x.pdf"));
    EXPECT_EQ(boxes.size(), 1u);
}

TEST(PrintSwitches, BadFileOrPrinterEndsWithAMessage) {
    test::TempDir dir;
    const std::string truncated = dir.file("truncated.tnv");
    {
        std::ifstream in(form2, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"--print-to 'No such printer' '" + form2 + "'",
         "tonvela: There is no printer named No such printer.\n"},
        {"--print '" + truncated + "'", "tonvela: " + truncated + ": Unexpected file format.\n"},
        {"--print-to 'No such printer' '" + dir.file("missing.tnv") + "'", "Cannot find this file"},
        {"--print", "printing needs a document"},
    };
    for (const auto& c : cases) {
        std::string out, err;
        const int code = test::runCommand("TONVELA_CONFIG_DIR='" + dir.path() + "' '" +
                                              TONVELA_APP + "' " + c.arguments,
                                          out, err);
        EXPECT_NE(code, 0) << c.arguments;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.arguments << ": " << err;
    }
    // Without any printer, --print has nowhere to go.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        std::string out, err;
        EXPECT_EQ(test::runCommand("TONVELA_CONFIG_DIR='" + dir.path() + "' '" + TONVELA_APP +
                                       "' --print '" + form2 + "'",
                                   out, err),
                  1);
        EXPECT_NE(err.find("No printer is installed."), std::string::npos) << err;
    }
}

} // namespace
} // namespace tonvela
