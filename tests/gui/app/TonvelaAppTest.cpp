// The desktop program's start-up and shutdown, run in this process on a
// virtual sound card with its own settings tree, and the document commands
// of its main window.
#include "app/TonvelaApp.h"
#include "app/FileDialogs.h"
#include "app/HelpLauncher.h"
#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "app/SingleInstance.h"
#include "app/TonvelaView.h"
#include "app/dialogs/EditFullTemperamentDialog.h"
#include "app/dialogs/EditTemperamentDialog.h"
#include "app/dialogs/ScaleDialog.h"
#include "app/dialogs/TemperamentsDialog.h"
#include "gui/app/dialogs/ModalDialogs.h"
#include "panel/MeasuringTool.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/WindowSystem.h"
#include "platform/gui/WindowTesting.h"
#include "platform/store/Settings.h"
#include "resources/CommandIds.h"
#include "resources/Language.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>
#include <QUrl>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tonvela {
namespace {

struct AskedBox {
    std::string text;
    std::string caption;
    unsigned type;
};

// Keeps an environment variable for the time of a test.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            previous = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentValue() {
        if (previous)
            setenv(name, previous->c_str(), 1);
        else
            unsetenv(name);
    }

private:
    const char* name;
    std::optional<std::string> previous;
};

// Polls the event loop until done() holds; false when it never does.
bool processEventsUntil(const std::function<bool()>& done) {
    QElapsedTimer deadline;
    deadline.start();
    while (!done()) {
        if (deadline.elapsed() > 20000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

class TonvelaAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        config.emplace("TONVELA_CONFIG_DIR", dir.file("config").c_str());
        locale.emplace("LC_ALL", "C.UTF-8");
        resetLanguage();
        setMessageBoxAnswer([this](const std::string& text, const std::string& caption,
                                   unsigned type) {
            boxes.push_back({text, caption, type});
            boxWindowWasVisible = app && app->getMainFrame() && app->getMainFrame()->isVisible();
            if (boxAnswers.empty())
                return IDCANCEL;
            const int answer = boxAnswers.front();
            boxAnswers.erase(boxAnswers.begin());
            return answer;
        });
        setFileDialogAnswer([this](bool save) {
            dialogs.push_back(save);
            if (fileAnswers.empty())
                return std::string();
            const std::string answer = fileAnswers.front();
            fileAnswers.erase(fileAnswers.begin());
            return answer;
        });
        setHelpOpener([this](const std::string& path) {
            helpOpened.push_back(path);
            return true;
        });
    }

    void TearDown() override {
        stop();
        setMessageBoxAnswer(nullptr);
        setFileDialogAnswer(nullptr);
        setHelpOpener(nullptr);
        resetLanguage();
        locale.reset();
        config.reset();
    }

    // A quiet virtual sound card: the tests never reach a real one.
    void installQuietInput() {
        auto backend = std::make_unique<VirtualAudioBackend>();
        VirtualInputDevice device;
        device.name = "Quiet";
        device.generator = [](double) { return 0.0; };
        backend->addInputDevice(device);
        backend->setOutputPacing(VirtualAudioBackend::OutputPacing::RealTime, false);
        ASSERT_TRUE(installAudioBackend(std::move(backend)));
    }

    TonvelaApp& start(const std::vector<std::string>& arguments = {}) {
        stop();
        installQuietInput();
        app.emplace();
        EXPECT_EQ(app->initInstance(arguments), TonvelaApp::Start::Running);
        return *app;
    }

    void stop() {
        if (app) {
            app->exitInstance();
            app.reset();
            installAudioBackend(nullptr);
        }
        // The language is fixed for a run; a restart decides it again.
        resetLanguage();
    }

    MainFrame& frame() { return *app->getMainFrame(); }

    std::vector<std::string> menuTitles() {
        std::vector<std::string> titles;
        for (QAction* menu : frame().menuBar()->actions())
            titles.push_back(menu->text().toStdString());
        return titles;
    }

    std::vector<std::string> visibleRecentFiles() {
        std::vector<std::string> texts;
        for (int i = 0; i < RecentFileCount; ++i) {
            QAction* recent = frame().action(ID_FILE_MRU_FILE1 + i);
            if (recent->isVisible())
                texts.push_back(recent->text().toStdString());
        }
        return texts;
    }

    // Saves the running program's document under path through Save As.
    void saveAs(const std::string& path) {
        fileAnswers.push_back(path);
        ASSERT_TRUE(frame().onFileSaveAs());
    }

    std::string windowTitle() { return frame().windowTitle().toStdString(); }

    test::TempDir dir;
    std::optional<EnvironmentValue> config;
    std::optional<EnvironmentValue> locale;
    std::optional<TonvelaApp> app;
    std::vector<AskedBox> boxes;
    bool boxWindowWasVisible = false;
    std::vector<int> boxAnswers;
    std::vector<bool> dialogs;
    std::vector<std::string> fileAnswers;
    std::vector<std::string> helpOpened;
};

TEST_F(TonvelaAppTest, LanguageRuleAtStart) {
    struct Case {
        const char* stored; // nullptr: first start
        const char* systemLocale;
        const char* expectedSetting;
        bool german;
    };
    const Case cases[] = {
        {nullptr, "de_DE.UTF-8", "de", true}, {nullptr, "en_US.UTF-8", "en", false},
        {"en", "de_DE.UTF-8", "en", false},   {"de", "C.UTF-8", "de", true},
        {"fr", "de_AT.UTF-8", "de", true},    {"fr", "fr_FR.UTF-8", "en", false},
    };
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored ? c.stored : "(none)") + " on " + c.systemLocale);
        stop();
        const std::string tree = dir.file("language" + std::to_string(round++));
        EnvironmentValue ownTree("TONVELA_CONFIG_DIR", tree.c_str());
        EnvironmentValue system("LC_ALL", c.systemLocale);
        if (c.stored) {
            Settings::openRoot("Tonvela");
            Settings("settings").writeString("language", c.stored);
        }
        start();
        EXPECT_EQ(Settings("settings").readString("language", "xx"), c.expectedSetting);
        EXPECT_EQ(isGermanLanguage(), c.german);
        const std::vector<std::string> german = {"&Datei",         "&Stimmen", "&Protokoll",
                                                 "&Einstellungen", "&Ansicht", "&Hilfe"};
        const std::vector<std::string> english = {"&File",     "&Tune", "&Protocol",
                                                  "&Settings", "&View", "&Help"};
        EXPECT_EQ(menuTitles(), c.german ? german : english);
        EXPECT_EQ(frame().action(ID_FILE_OPEN)->text().toStdString(),
                  c.german ? "Ö&ffnen...\tCtrl+O" : "&Open...\tCtrl+O");
        EXPECT_EQ(windowTitle(), c.german ? "Neues Protokoll - Tonvela" : "New protocol - Tonvela");
        // Qt's own dialogs and buttons speak the same language.
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(),
                  c.german ? "Abbrechen" : "Cancel");
        const std::string help = app->getHelpPath();
        EXPECT_EQ(help.substr(help.rfind('/') + 1), c.german ? "Tonvela_de.html" : "Tonvela.html");
        stop();
    }
}

TEST_F(TonvelaAppTest, DocumentGivenAtStartIsOpened) {
    start();
    Protocol& protocol = DataStructure::getInstance().getProtocol();
    protocol.setFrequency(57, 440.76f, true);
    protocol.setFrequency(0, 16.3f, true);
    app->getDocument()->setCustomer("Music school");
    const std::string path = dir.file("Church organ.tnv");
    saveAs(path);
    stop();

    start({path});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(windowTitle(), "Church organ.tnv - Tonvela");
    EXPECT_EQ(frame().getPathName(), path);
    EXPECT_FALSE(app->getDocument()->IsModified());
    EXPECT_EQ(app->getDocument()->getCustomer(), "Music school");
    EXPECT_EQ(DataStructure::getInstance().getProtocol().getFrequency(57), 440.76f);
    EXPECT_EQ(DataStructure::getInstance().getProtocol().getFrequency(0), 16.3f);
}

TEST_F(TonvelaAppTest, FileDroppedOnTheWindowIsOpenedAfterTheSaveQuestion) {
    start();
    DataStructure::getInstance().getProtocol().setFrequency(60, 523.0f, true);
    const std::string path = dir.file("dropped.tnv");
    saveAs(path);
    ASSERT_TRUE(frame().onFileNew());
    app->getDocument()->SetModifiedFlag(true);

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    auto drop = [&] {
        // Qt delivers a drop to the window that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&frame(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame(), &event);
    };
    boxAnswers = {IDCANCEL};
    drop();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(windowTitle(), "New protocol* - Tonvela");

    boxAnswers = {IDNO};
    drop();
    EXPECT_EQ(windowTitle(), "dropped.tnv - Tonvela");
    EXPECT_EQ(DataStructure::getInstance().getProtocol().getFrequency(60), 523.0f);
}

TEST_F(TonvelaAppTest, UnreadableDocumentAtStartIsReportedAndANewOneStarts) {
    const std::string path = dir.file("broken.tnv");
    std::ofstream(path, std::ios::binary) << "not a protocol";
    start({path});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Failed to open document.\n" + path);
    EXPECT_EQ(boxes[0].caption, "Tonvela");
    // The message came over the window, which was shown before it.
    EXPECT_TRUE(boxWindowWasVisible);
    EXPECT_EQ(windowTitle(), "New protocol - Tonvela");
    EXPECT_TRUE(frame().getPathName().empty());
    EXPECT_TRUE(frame().isVisible());
}

TEST_F(TonvelaAppTest, SecondStartHandsItsFileToTheRunningProgram) {
    start();
    DataStructure::getInstance().getProtocol().setFrequency(45, 220.5f, true);
    const std::string path = dir.file("handed.tnv");
    saveAs(path);
    ASSERT_TRUE(frame().onFileNew());
    ASSERT_EQ(DataStructure::getInstance().getProtocol().getFrequency(45), 0.0f);

    // Should the hand-over fail, the second program would not touch a sound card.
    const std::string silence = dir.file("silence.wav");
    ASSERT_TRUE(test::writeWav16(silence, 44100, 1, std::vector<std::int16_t>(4410, 0)));
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.start(QStringLiteral(TONVELA_APP),
                 {QStringLiteral("--input-file"), QString::fromStdString(silence),
                  QString::fromStdString(path)});
    ASSERT_TRUE(processEventsUntil([&] { return second.state() == QProcess::NotRunning; }))
        << "the second start did not end";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    ASSERT_TRUE(processEventsUntil([&] { return frame().getPathName() == path; }));
    EXPECT_EQ(windowTitle(), "handed.tnv - Tonvela");
    EXPECT_EQ(DataStructure::getInstance().getProtocol().getFrequency(45), 220.5f);
}

TEST_F(TonvelaAppTest, SecondStartWithoutRunningProgramStartsItself) {
    EXPECT_FALSE(SingleInstance::handOver(QStringLiteral("/nowhere/x.tnv")));
}

TEST_F(TonvelaAppTest, RecentFilesSurviveARestart) {
    start();
    EXPECT_TRUE(visibleRecentFiles().empty());
    const std::string names[] = {"a.tnv", "b.tnv", "c.tnv", "d.tnv", "e.tnv"};
    for (const std::string& name : names)
        saveAs(dir.file(name));
    // The newest first, four at most.
    const std::vector<std::string> shown = visibleRecentFiles();
    ASSERT_EQ(shown.size(), 4u);
    stop();

    start();
    EXPECT_EQ(visibleRecentFiles(), shown);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].substr(0, 3), "&1 ");
    EXPECT_EQ(shown[0].substr(shown[0].size() - 5), "e.tnv");
    EXPECT_EQ(shown[3].substr(shown[3].size() - 5), "b.tnv");
    EXPECT_EQ(windowTitle(), "New protocol - Tonvela");

    // Choosing an entry opens it and moves it to the top.
    frame().action(ID_FILE_MRU_FILE1 + 2)->trigger();
    EXPECT_EQ(frame().getPathName(), dir.file("c.tnv"));
    const std::vector<std::string> reordered = visibleRecentFiles();
    EXPECT_EQ(reordered[0].substr(reordered[0].size() - 5), "c.tnv");
    EXPECT_EQ(reordered[1].substr(reordered[1].size() - 5), "e.tnv");

    // An entry whose file has gone is reported and leaves the list.
    QFile::remove(QString::fromStdString(dir.file("d.tnv")));
    frame().action(ID_FILE_MRU_FILE1 + 2)->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("Cannot find this file."), std::string::npos);
    EXPECT_EQ(visibleRecentFiles().size(), 3u);
    EXPECT_EQ(frame().getPathName(), dir.file("c.tnv"));
}

TEST_F(TonvelaAppTest, SaveQuestionWhenAModifiedDocumentWouldBeLost) {
    start();
    TonvelaDoc& document = *app->getDocument();

    // Nothing changed: nothing to ask.
    EXPECT_TRUE(frame().saveModified());
    EXPECT_TRUE(boxes.empty());

    // A measured note is a change worth keeping.
    DataStructure::getInstance().getProtocol().setFrequency(57, 441.0f, true);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(windowTitle(), "New protocol* - Tonvela");
    boxAnswers = {IDCANCEL};
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(frame().isVisible());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Save changes to New protocol?");
    EXPECT_EQ(boxes[0].caption, "Tonvela");
    EXPECT_EQ(boxes[0].type & 0xF, MB_YESNOCANCEL);
    EXPECT_TRUE(document.IsModified());

    // Yes, then Cancel in the file dialog: nothing saved, still running.
    boxAnswers = {IDYES};
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(dialogs, std::vector<bool>{true});

    // New asks the same; No goes on without saving.
    boxAnswers = {IDNO};
    EXPECT_TRUE(frame().onFileNew());
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(DataStructure::getInstance().getProtocol().getFrequency(57), 0.0f);

    // Yes saves under the name chosen, then the window closes.
    document.SetModifiedFlag(true);
    boxAnswers = {IDYES};
    const std::string path = dir.file("kept.tnv");
    fileAnswers = {path};
    const std::size_t asked = boxes.size();
    EXPECT_TRUE(frame().close());
    EXPECT_EQ(boxes.size(), asked + 1);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
    EXPECT_FALSE(document.IsModified());
}

TEST_F(TonvelaAppTest, FailedSaveIsReportedAndKeepsTheDocumentModified) {
    start();
    app->getDocument()->SetModifiedFlag(true);
    fileAnswers = {dir.file("no such folder/x.tnv")};
    EXPECT_FALSE(frame().onFileSave());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Tonvela");
    EXPECT_EQ(boxes[0].text, "Failed to save document.\n" + dir.file("no such folder/x.tnv") +
                                 "\nNo such file or directory");
    EXPECT_TRUE(app->getDocument()->IsModified());
    EXPECT_EQ(windowTitle(), "New protocol* - Tonvela");
}

TEST_F(TonvelaAppTest, HelpOpensThePageOfTheLanguageOrReportsItMissing) {
    start();
    // The test program has no help pages beside it.
    frame().action(ID_HELP_FINDER)->trigger();
    EXPECT_TRUE(helpOpened.empty());
    ASSERT_EQ(boxes.size(), 1u);
    // Where the page is, to open it by hand.
    EXPECT_EQ(boxes[0].text,
              "Failed to launch help.\nOpen the help page by hand:\n" + app->getHelpPath());

    test::TempDir program;
    QDir(QString::fromStdString(program.path())).mkpath(QStringLiteral("help"));
    for (const char* name : {"help/Tonvela.html", "help/Tonvela_de.html"})
        std::ofstream(program.file(name)) << "<html></html>";
    EXPECT_EQ(helpFilePath(program.path(), false), program.file("help/Tonvela.html"));
    EXPECT_EQ(helpFilePath(program.path(), true), program.file("help/Tonvela_de.html"));
    EXPECT_TRUE(launchHelp(frame().handle(), program.file("help/Tonvela_de.html")));
    EXPECT_EQ(helpOpened, std::vector<std::string>{program.file("help/Tonvela_de.html")});
    EXPECT_EQ(boxes.size(), 1u);

    // Installed: the program in bin/, its pages under share/tonvela/help.
    test::TempDir prefix;
    QDir(QString::fromStdString(prefix.path())).mkpath(QStringLiteral("bin"));
    QDir(QString::fromStdString(prefix.path())).mkpath(QStringLiteral("share/tonvela/help"));
    std::ofstream(prefix.file("share/tonvela/help/Tonvela_de.html")) << "<html></html>";
    EXPECT_EQ(helpFilePath(prefix.file("bin"), true),
              prefix.file("share/tonvela/help/Tonvela_de.html"));
}

TEST_F(TonvelaAppTest, MainWindowHoldsThePanelAndTheCommandsOfThisProgram) {
    start();
    MeasuringTool* panel = frame().getView()->getMeasuringTool();
    ASSERT_NE(panel, nullptr);
    const Rect client = getClientRect(frame().getView()->handle());
    const Rect area = getWindowRect(panel->getHandle());
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, client.right);
    EXPECT_EQ(area.bottom, client.bottom);

    std::vector<std::string> tips;
    for (QAction* action : frame().toolBar()->actions())
        tips.push_back(action->isSeparator() ? "|" : action->toolTip().toStdString());
    EXPECT_EQ(tips, (std::vector<std::string>{"New", "Open", "Save", "Print Preview", "|", "Scale",
                                              "Protocol Properties", "|", "Help Topics"}));
    EXPECT_EQ(frame().action(ID_PROTOCOL_CLEAR)->statusTip().toStdString(),
              "Clear all values of the current protocol");
    EXPECT_EQ(frame().action(ID_FILE_SAVE)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(frame().action(ID_HELP_FINDER)->shortcuts().size(), 2);

    frame().action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(frame().toolBar()->isHidden());
    frame().action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_TRUE(frame().statusBar()->isHidden());
}

// Counts the scale settings' notifications.
struct ScaleChanges : ToneScaleListener {
    explicit ScaleChanges(ToneScaleCollection& scales) : scales(scales) {
        scales.addListener(this);
    }
    ~ScaleChanges() override { scales.removeListener(this); }
    void toneScaleChanged() override { ++count; }
    ToneScaleCollection& scales;
    int count = 0;
};

TEST_F(TonvelaAppTest, TuneMenuScaleAppliesTheDialogOnceAfterOk) {
    start();
    ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    ScaleChanges changes(scales);
    EXPECT_EQ(frame().action(ID_TUNE_SCALE)->text().toStdString(), "&Scale...");
    EXPECT_EQ(frame().action(ID_TUNE_SCALE)->statusTip().toStdString(), "Open the scale dialog");
    EXPECT_EQ(frame().action(ID_TUNE_TEMPERAMENTS)->text().toStdString(), "M&y Temperaments...");

    // Cancel changes nothing.
    test::whenModal<ScaleDialog>([](ScaleDialog* dialog) {
        test::control<QLineEdit>(dialog, 1002)->setText(QStringLiteral("415"));
        dialog->reject();
    });
    frame().action(ID_TUNE_SCALE)->trigger();
    EXPECT_EQ(changes.count, 0);
    EXPECT_EQ(scales.getStandardPitch(), 440.0f);
    EXPECT_FALSE(app->getDocument()->IsModified());

    test::whenModal<ScaleDialog>([](ScaleDialog* dialog) {
        auto* list = test::control<QComboBox>(dialog, 1001);
        list->setCurrentIndex(list->findText(QStringLiteral("Equal Tempered, Perfect Fourth")));
        test::control<QComboBox>(dialog, 1053)->setCurrentIndex(7);
        test::control<QLineEdit>(dialog, 1002)->setText(QStringLiteral("415"));
        test::control<QLineEdit>(dialog, 1004)->setText(QStringLiteral("1.5"));
        dialog->accept();
    });
    frame().action(ID_TUNE_SCALE)->trigger();
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(scales.getCurrentScale()->getName(), "Equal Tempered, Perfect Fourth");
    EXPECT_EQ(scales.getKeynote(), 7);
    EXPECT_EQ(scales.getStandardPitch(), 415.0f);
    EXPECT_EQ(scales.getCalibration(), 1.5f);
    EXPECT_TRUE(app->getDocument()->IsModified());
}

TEST_F(TonvelaAppTest, TemperamentManagerHandsItsListsOverHoweverItCloses) {
    start();
    DataStructure& state = DataStructure::getInstance();
    ToneScaleCollection& scales = state.getToneScales();
    const int before = scales.getScaleCount();
    test::whenModal<TemperamentsDialog>([](TemperamentsDialog* manager) {
        test::whenModal<EditTemperamentDialog>([manager](EditTemperamentDialog* editor) {
            test::control<QLineEdit>(editor, 1060)->setText(QStringLiteral("Organ"));
            editor->accept();
            // Closed by Escape rather than "Close".
            QMetaObject::invokeMethod(manager, &QDialog::reject, Qt::QueuedConnection);
        });
        manager->onNewSimple();
    });
    frame().action(ID_TUNE_TEMPERAMENTS)->trigger();
    ASSERT_EQ(state.getCustomScales().getSimpleScales().size(), 1u);
    EXPECT_EQ(state.getCustomScales().getSimpleScales()[0].getEnglishName(), "Organ");
    EXPECT_EQ(scales.getScaleCount(), before + 1);
    EXPECT_EQ(scales.getScale(0)->getName(), "Organ");

    // Protocol → Store Protocol As Temperament...: the measured protocol
    // comes up as a new full temperament.
    state.getProtocol().setFrequency(57, 442.0f, true);
    std::string a4;
    test::whenModal<EditFullTemperamentDialog>([&a4](EditFullTemperamentDialog* editor) {
        a4 = test::editText(editor, 1120).toStdString();
        test::control<QLineEdit>(editor, 1060)->setText(QStringLiteral("Measured"));
        editor->accept();
        QWidget* manager = editor->parentWidget();
        QMetaObject::invokeMethod(
            manager, [manager] { static_cast<QDialog*>(manager)->accept(); }, Qt::QueuedConnection);
    });
    frame().action(ID_PROTOCOL_STORE_AS_TEMPERAMENT)->trigger();
    EXPECT_EQ(a4, "7.85");
    ASSERT_EQ(state.getCustomScales().getFullScales().size(), 1u);
    EXPECT_EQ(scales.getScale(1)->getName(), "Measured");
    EXPECT_FALSE(scales.getScale(1)->isSimple());
    EXPECT_NEAR(scales.getScale(1)->getCents(57), 7.85f, 0.005f);
}

TEST(RecentFileList, NewestFirstWithoutDuplicates) {
    RecentFileList list(4);
    for (const char* path : {"/a", "/b", "/c", "/b", "/d", "/e"})
        list.add(path);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/e", "/d", "/b", "/c"}));
    list.remove("/b");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"/e", "/d", "/c"}));
}

} // namespace
} // namespace tonvela
