// The Tune and Help menus of the running program: every command there, the
// tool windows kept by the view, the about box, and the usage counter with
// its donation reminder.
#include "app/DonationReminder.h"
#include "app/MainFrame.h"
#include "app/TonvelaApp.h"
#include "app/TonvelaView.h"
#include "app/dialogs/CAboutDlg.h"
#include "app/dialogs/CalibrationCalculatorDialog.h"
#include "app/dialogs/CentCalculator.h"
#include "app/dialogs/DonateDialog.h"
#include "app/dialogs/FreqSynthDialog.h"
#include "app/dialogs/MetronomeDialog.h"
#include "panel/MeasuringTool.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/store/Settings.h"
#include "resources/CommandIds.h"
#include "resources/Language.h"
#include "resources/Maker.h"
#include "state/FreshState.h"
#include "support/RunCommand.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tonvela {
namespace {

// Runs act on the next modal dialog as soon as it is shown.
void whenModal(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            act(*dialog);
    });
}

void clickButton(QWidget& dialog, int id) {
    auto* button = dialog.findChild<QAbstractButton*>(QString::number(id));
    ASSERT_NE(button, nullptr) << "button " << id;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

std::string labelText(QWidget& dialog, int id) {
    auto* label = dialog.findChild<QLabel*>(QString::number(id));
    return label ? label->text().toStdString() : std::string("(missing)");
}

// The reminder's text as a screen reader reads it; on screen it is the same
// text with the web address kept on one line.
std::string reminderText(QWidget& dialog) {
    auto* label = dialog.findChild<QLabel*>(QString::number(DonateDialog::IDC_TEXT));
    if (!label)
        return "(missing)";
    EXPECT_EQ(label->text().remove(QChar(0x2060)), label->accessibleName());
    return label->accessibleName().toStdString();
}

class ShellCommandsTest : public test::FreshState {
protected:
    void SetUp() override {
        FreshState::SetUp();
        resetLanguage();
        setUrlOpener([this](const std::string& url) { opened.push_back(url); });
    }
    void TearDown() override {
        stop();
        setUrlOpener(nullptr);
        resetLanguage();
        FreshState::TearDown();
    }

    MainFrame& start() {
        auto backend = std::make_unique<VirtualAudioBackend>();
        VirtualInputDevice device;
        device.name = "Quiet";
        device.generator = [](double) { return 0.0; };
        backend->addInputDevice(device);
        backend->setOutputPacing(VirtualAudioBackend::OutputPacing::RealTime, false);
        EXPECT_TRUE(installAudioBackend(std::move(backend)));
        app.emplace();
        EXPECT_EQ(app->initInstance({}), TonvelaApp::Start::Running);
        return *app->getMainFrame();
    }

    void stop() {
        if (app) {
            app->exitInstance();
            app.reset();
            installAudioBackend(nullptr);
        }
        resetLanguage();
    }

    static void setUsage(int usage, int limit) {
        writeProfileInt("settings", "usage", usage);
        writeProfileInt("settings", "limit", limit);
    }
    static int usage() { return getProfileInt("settings", "usage", 0); }
    static int limit() { return getProfileInt("settings", "limit", 6000); }

    // One minute of use; answer: the button id to click, or 0 for Escape.
    // Returns the reminder's text, empty when it did not appear.
    std::string tick(int answer) {
        std::string shown;
        whenModal([&shown, answer](QDialog& dialog) {
            shown = reminderText(dialog);
            if (answer)
                clickButton(dialog, answer);
            else
                QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        const bool asked = checkDonationReminder(nullptr);
        QCoreApplication::processEvents();
        EXPECT_EQ(asked, !shown.empty());
        return shown;
    }

    std::optional<TonvelaApp> app;
    std::vector<std::string> opened;
};

TEST_F(ShellCommandsTest, TuneAndHelpCommandsInBothLanguages) {
    const struct {
        int id;
        const char* menu;
        const char* english;
        const char* german;
        const char* prompt;
    } commands[] = {
        {ID_CENT_CALCULATOR, "TuneMenu", "&Cent Calculator...", "&Cent-Rechner...",
         "Open the cent calculator"},
        {ID_CALIBRATION_CALCULATOR, "TuneMenu", "C&alibration Calculator...",
         "&Kalibrierungs-Rechner...", "Open the calibration calculator"},
        {ID_FREQUENCY_SYNTH, "TuneMenu", "&Frequency Synthesizer...", "&Frequenzgenerator...",
         "Open the Frequency Synthesizer"},
        {ID_METRONOME, "TuneMenu", "&Metronome...", "&Metronom...", "Open the metronome"},
        {ID_HELP_FINDER, "HelpMenu", "&Help Topics...", "&Index...", "Open the help pages"},
        {ID_APP_ABOUT, "HelpMenu", "&About Tonvela...", "Ü&ber Tonvela...",
         "Show the program's version and its maker"},
        {ID_DONATE, "HelpMenu", "Donate...", "Spenden...", "Support Tonvela with a donation"},
    };
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German" : "English");
        overrideLanguage(german ? Language::German : Language::English);
        MainFrame& frame = start();
        for (const auto& c : commands) {
            SCOPED_TRACE(c.id);
            QAction* action = frame.action(c.id);
            ASSERT_NE(action, nullptr);
            EXPECT_TRUE(action->isEnabled());
            EXPECT_EQ(action->text().toStdString(), german ? c.german : c.english);
            auto* menu = frame.menuBar()->findChild<QMenu*>(QString::fromLatin1(c.menu));
            ASSERT_NE(menu, nullptr);
            EXPECT_TRUE(menu->actions().contains(action));
            if (!german)
                EXPECT_EQ(action->statusTip().toStdString(), c.prompt);
            else
                EXPECT_FALSE(action->statusTip().isEmpty());
        }
        // No menu holds a dead entry.
        for (QAction* title : frame.menuBar()->actions()) {
            ASSERT_NE(title->menu(), nullptr);
            EXPECT_FALSE(title->menu()->actions().isEmpty()) << title->text().toStdString();
            for (QAction* item : title->menu()->actions())
                if (!item->isSeparator() && item->isVisible() && item->objectName() != "") {
                    EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
                }
        }
        stop();
    }
}

TEST_F(ShellCommandsTest, ToolWindowsAreMadeOnceKeptAndRestored) {
    MainFrame& frame = start();
    TonvelaView* view = frame.getView();
    const struct {
        int command;
        const char* name;
    } tools[] = {
        {ID_CENT_CALCULATOR, "CentCalculator"},
        {ID_CALIBRATION_CALCULATOR, "CalibrationCalculatorDialog"},
        {ID_FREQUENCY_SYNTH, "FreqSynthDialog"},
        {ID_METRONOME, "MetronomeDialog"},
    };
    for (const auto& tool : tools) {
        SCOPED_TRACE(tool.name);
        frame.action(tool.command)->trigger();
        const QList<QDialog*> first = view->findChildren<QDialog*>(QString::fromLatin1(tool.name));
        ASSERT_EQ(first.size(), 1);
        QDialog* dialog = first.front();
        EXPECT_EQ(dialog->parentWidget(), view);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->isModal());

        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->setText(QStringLiteral("123"));
        clickButton(*dialog, 1); // Close hides it
        EXPECT_FALSE(dialog->isVisible());
        frame.action(tool.command)->trigger();
        EXPECT_EQ(view->findChildren<QDialog*>(QString::fromLatin1(tool.name)).size(), 1);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(edit->text().toStdString(), "123");

        dialog->showMinimized();
        frame.action(tool.command)->trigger();
        EXPECT_FALSE(dialog->isMinimized());
        EXPECT_TRUE(dialog->isVisible());
    }
    EXPECT_EQ(view->showFreqSynthDialog(), view->showFreqSynthDialog());
}

TEST_F(ShellCommandsTest, SoundingToolsAtShutdownEndCleanly) {
    MainFrame& frame = start();
    TonvelaView* view = frame.getView();
    FreqSynthDialog* synthDialog = view->showFreqSynthDialog();
    synthDialog->findChild<QLineEdit*>(QStringLiteral("1092"))->setText(QStringLiteral("440"));
    clickButton(*synthDialog, 1093);
    MetronomeDialog* metronome = view->showMetronomeDialog();
    metronome->findChild<QLineEdit*>(QStringLiteral("1107"))->setText(QStringLiteral("90"));
    clickButton(*metronome, 1106);
    EXPECT_EQ(view->getMeasuringTool()->getSynth().getMetronomeRate(), 90.0f);
    EXPECT_EQ(view->getMeasuringTool()->getSynth().getTones().size(), 1u);
    synthDialog->hide();
    stop(); // the panel stops its synthesizer before the windows go
}

TEST_F(ShellCommandsTest, AboutBoxShowsTheVersionAndOffersTheDonationPage) {
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German" : "English");
        opened.clear();
        overrideLanguage(german ? Language::German : Language::English);
        MainFrame& frame = start();
        bool checked = false;
        whenModal([&](QDialog& about) {
            checked = true;
            EXPECT_EQ(about.objectName().toStdString(), "CAboutDlg");
            EXPECT_EQ(about.windowTitle().toStdString(), german ? "Über Tonvela" : "About Tonvela");
            EXPECT_EQ(labelText(about, CAboutDlg::IDC_VERSION), "3.1.100");
            auto* icon = about.findChild<QLabel*>(QStringLiteral("ProgramIcon"));
            ASSERT_NE(icon, nullptr);
            EXPECT_FALSE(icon->pixmap().isNull());
            EXPECT_EQ(
                about.findChild<QLabel*>(QStringLiteral("MakerAddress"))->text().toStdString(),
                "https://www.korvex.example");
            // Escape is its Donate button: the page opens, the box stays.
            QTest::keyClick(&about, Qt::Key_Escape);
            EXPECT_TRUE(about.isVisible());
            clickButton(about, CAboutDlg::IDC_DONATE);
            EXPECT_TRUE(about.isVisible());
            clickButton(about, CAboutDlg::IDC_CLOSE);
        });
        const int limitBefore = limit();
        frame.action(ID_APP_ABOUT)->trigger();
        EXPECT_TRUE(checked);
        const std::string page = german ? "https://www.korvex.example/donate_de.html"
                                        : "https://www.korvex.example/donate.html";
        EXPECT_EQ(opened, std::vector<std::string>({page, page}));
        EXPECT_EQ(limit(), limitBefore) << "the about box leaves the reminder alone";
        stop();
    }
}

TEST_F(ShellCommandsTest, ReminderAfterUsagePassesTheLimit) {
    setUsage(6000, 6000);
    EXPECT_NE(tick(0).find("more than 100 hours"), std::string::npos);
    EXPECT_EQ(usage(), 6001);
    EXPECT_EQ(limit(), 6000) << "Escape changes nothing";
    // So it comes again a minute later; Later puts it 300 minutes ahead.
    EXPECT_FALSE(tick(DonateDialog::IDC_LATER).empty());
    EXPECT_EQ(usage(), 6002);
    EXPECT_EQ(limit(), 6302);

    setUsage(6000, 6000);
    EXPECT_FALSE(tick(DonateDialog::IDC_LATER).empty());
    EXPECT_EQ(limit(), 6301);
    for (int minute = 6002; minute <= 6301; ++minute)
        ASSERT_TRUE(tick(0).empty()) << minute;
    EXPECT_FALSE(tick(DonateDialog::IDC_DONT_DONATE).empty());
    EXPECT_EQ(usage(), 6302);
    EXPECT_EQ(limit(), 12302);
    EXPECT_TRUE(opened.empty());
}

TEST_F(ShellCommandsTest, ReminderForALimitFurtherAheadThanAnyAnswer) {
    const struct {
        int usage;
        int limit;
        bool asks;
    } cases[] = {
        {100, 20000, true}, {100, 6103, true},   {100, 6102, false},
        {0, 6000, false},   {5999, 6000, false}, {6000, 6000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.usage) + "/" + std::to_string(c.limit));
        setUsage(c.usage, c.limit);
        EXPECT_EQ(!tick(0).empty(), c.asks);
    }
}

TEST_F(ShellCommandsTest, DonateOpensTheLanguagesPageAndAsksAgainIn100Hours) {
    overrideLanguage(Language::German);
    setUsage(7199, 100);
    const std::string text = tick(DonateDialog::IDC_DONATE);
    EXPECT_EQ(text,
              "Vielen Dank, dass Sie Tonvela mehr als 120 Stunden verwendet haben.\n\nWenn Ihnen "
              "unser Tonvela Ihre Arbeit erleichtert hat, sind wir dankbar für Ihre Spende auf "
              "https://www.korvex.example\n\nVielen herzlichen Dank!");
    EXPECT_EQ(opened, std::vector<std::string>({"https://www.korvex.example/donate_de.html"}));
    EXPECT_EQ(limit(), 7200 + 6000);
}

TEST_F(ShellCommandsTest, HelpDonateAsksWithTheHoursOfUse) {
    MainFrame& frame = start();
    setUsage(601, 6000);
    std::string shown;
    whenModal([&shown](QDialog& dialog) {
        shown = reminderText(dialog);
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Donate");
        clickButton(dialog, DonateDialog::IDC_DONATE);
    });
    frame.action(ID_DONATE)->trigger();
    EXPECT_EQ(shown, "Thank your for using Tonvela for more than 10 hours.\n\nIf this Tonvela was "
                     "helpful for your work, we look forward for your donation at "
                     "https://www.korvex.example\n\nThank your very much!");
    EXPECT_EQ(opened, std::vector<std::string>({"https://www.korvex.example/donate.html"}));
    EXPECT_EQ(usage(), 601);
    EXPECT_EQ(limit(), 6601);
}

TEST_F(ShellCommandsTest, TheFirstStartOfTheProcessCountsAMinuteAndRunsTheMinuteTimer) {
    setUsage(41, 6000);
    resetUsageCounting();
    MainFrame& frame = start();
    EXPECT_EQ(usage(), 42);
    EXPECT_TRUE(frame.getView()->usageTimerActive());
    frame.getView()->onUsageTimer();
    EXPECT_EQ(usage(), 43);
    EXPECT_TRUE(frame.getView()->usageTimerActive());
    stop();
    // A second view in the same process counts on without a second start.
    MainFrame& again = start();
    EXPECT_EQ(usage(), 43);
    EXPECT_FALSE(again.getView()->usageTimerActive());
}

TEST(ProgramVersion, BothProgramsPrintTheAboutBoxVersion) {
    std::string out, err;
    // Without any display: the version needs none.
    EXPECT_EQ(test::runCommand("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " +
                                   std::string(TONVELA_APP) + " --version",
                               out, err),
              0);
    EXPECT_EQ(out, "tonvela 3.1.100\n");
    EXPECT_EQ(test::runCommand(std::string(TONVELA_CLI) + " --version", out, err), 0);
    EXPECT_EQ(out, "tonvela-cli 3.1.100\n");
}

} // namespace
} // namespace tonvela
