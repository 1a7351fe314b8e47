// The whole road of one measurement through the desktop program: a recording
// of A4 three cents sharp at the sound input, the analysis thread, the tuner
// panel and its displays, automatic recording into the protocol grid, Save
// As, and the command-line tool reading the saved file and measuring the same
// recording.
//
// The program runs in this process on a stepped virtual input. Its analysis
// thread keeps time on a simulated clock that delivers one 200 ms input buffer
// per 200 ms that pass, exactly as `tonvela-cli measure` plays a recording,
// so with the same seed both see the same sound at the same moments and must
// give the same numbers; and the test decides how far the time runs.
#include "analysis/AnalysisClock.h"
#include "analysis/AnalysisResultIfc.h"
#include "analysis/AnalysisResultPro.h"
#include "app/DonationReminder.h"
#include "app/FileDialogs.h"
#include "app/MainFrame.h"
#include "app/TonvelaApp.h"
#include "app/TonvelaView.h"
#include "app/dialogs/MeasurementSettingsDialog.h"
#include "app/dialogs/ScaleDialog.h"
#include "app/dialogs/SettingsDialogIds.h"
#include "app/dialogs/SettingsDialogSupport.h"
#include "gui/GuiTestSupport.h"
#include "gui/app/dialogs/ModalDialogs.h"
#include "gui/panel/PanelTestSupport.h"
#include "panel/DisplayControl.h"
#include "panel/MeasuringTool.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowSystem.h"
#include "platform/gui/WindowTesting.h"
#include "platform/store/Settings.h"
#include "resources/CommandIds.h"
#include "resources/Language.h"
#include "runtime/Messages.h"
#include "runtime/NumberText.h"
#include "runtime/Random.h"
#include "runtime/Thread.h"
#include "state/DataStructure.h"
#include "support/DisplayResources.h"
#include "support/FakeResult.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tonvela {
namespace {

constexpr int BufferMs = 200;
constexpr int A4 = 57;
constexpr unsigned Seed = 1;

// Simulated time for the panel's analysis thread, held by the test: the
// thread waits at its first look at the clock until run() lets it go, and
// then at the first sleep that would pass the limit. Every 200 ms that pass
// deliver the next input buffer.
class SteppedInputClock : public AnalysisClock {
public:
    SteppedInputClock(VirtualAudioBackend& backend, int device)
        : backend(backend), device(device), time(BufferMs, [this] { deliver(); }) {}

    std::uint32_t now() override {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [this] { return started || closing; });
        return time.now();
    }

    void sleep(int milliseconds) override {
        {
            std::unique_lock<std::mutex> guard(lock);
            const auto fits = [&] {
                return closing || (started && time.now() + static_cast<std::uint32_t>(
                                                               std::max(milliseconds, 0)) <=
                                                  limit);
            };
            if (!fits()) {
                holding = true;
                changed.notify_all();
                changed.wait(guard, fits);
                holding = false;
            }
            if (closing)
                return;
        }
        // Outside the lock: a step waits for the capture thread.
        time.sleep(milliseconds);
    }

    // Lets the time run up to `untilMs` and waits (in real time, at most
    // 30 s) until the thread holds there: by then every result of that time
    // has been posted.
    bool run(std::uint32_t untilMs) {
        std::unique_lock<std::mutex> guard(lock);
        limit = untilMs;
        started = true;
        holding = false;
        changed.notify_all();
        return changed.wait_for(guard, std::chrono::seconds(30), [this] {
            return holding || stalled;
        }) && !stalled;
    }

    // From now on the clock neither waits nor delivers, so the panel can stop
    // its thread.
    void close() {
        std::lock_guard<std::mutex> guard(lock);
        closing = true;
        changed.notify_all();
    }

    std::uint32_t elapsed() {
        std::lock_guard<std::mutex> guard(lock);
        return time.now();
    }

private:
    // The capture thread queues its buffers and starts the device on its own
    // after the first read; until then a step finds nothing to fill.
    void deliver() {
        for (int tries = 0; tries < 300; ++tries) {
            if (closing || backend.step(device))
                return;
            Thread::sleep(10);
        }
        std::lock_guard<std::mutex> guard(lock);
        stalled = true;
        changed.notify_all();
    }

    VirtualAudioBackend& backend;
    int device;
    SimulatedClock time;
    std::mutex lock;
    std::condition_variable changed;
    std::uint32_t limit = 0;
    bool started = false;
    bool holding = false;
    bool closing = false;
    bool stalled = false;
};

// Shows the texts of a result through a display of our own, to compare its
// pixels with the panel's.
test::FakeResult shownTexts(std::string cents, std::string frequency) {
    test::FakeResult result;
    result.hasTarget = false;
    result.frequency = 0.0f;
    result.intervalMs = 0;
    result.centsText = std::move(cents);
    result.frequencyText = std::move(frequency);
    return result;
}

// One result of `tonvela-cli measure --json`.
struct CliResult {
    double time = 0.0;
    std::string cents;
    std::string frequency;
    bool valid = false;
    int windowMs = 0;
};

// The text of "key":value in a JSON line of the tool, "" when missing.
std::string jsonValue(const std::string& line, const std::string& key) {
    const std::string start = "\"" + key + "\":";
    const std::size_t at = line.find(start);
    if (at == std::string::npos)
        return "";
    const std::size_t from = at + start.size();
    const std::size_t end = line.find_first_of(",}", from);
    return line.substr(from, end - from);
}

std::vector<CliResult> parseResults(const std::string& out) {
    std::vector<CliResult> results;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        if (jsonValue(line, "time").empty())
            continue;
        CliResult r;
        r.time = NumberText::parseReal(jsonValue(line, "time")).value_or(-1.0);
        r.cents = jsonValue(line, "cents");
        r.frequency = jsonValue(line, "frequency");
        r.valid = jsonValue(line, "valid") == "true";
        r.windowMs = NumberText::parseInt(jsonValue(line, "windowMs")).value_or(-1);
        results.push_back(r);
    }
    return results;
}

// A measuring mode: its value of "accuracy" and its name for the tool.
struct Mode {
    int accuracy;
    const char* cliName;
    // How long the panel measures (simulated), and the recording's length:
    // the precise analysis wants a window of some 8 s of the tone.
    std::uint32_t runMs;
    double recordingSeconds;
};

class EndToEndTest : public ::testing::TestWithParam<Mode> {
protected:
    void SetUp() override {
        previousConfig = std::getenv("TONVELA_CONFIG_DIR") ? std::getenv("TONVELA_CONFIG_DIR") : "";
        setenv("TONVELA_CONFIG_DIR", dir.file("config").c_str(), 1);
        resetLanguage();
        setMessageBoxAnswer([](const std::string&, const std::string&, unsigned) {
            ADD_FAILURE() << "no message box expected";
            return IDCANCEL;
        });
        setFileDialogAnswer([this](bool save) {
            EXPECT_TRUE(save);
            return savePath;
        });
    }

    void TearDown() override {
        if (clock)
            clock->close();
        if (app)
            app->exitInstance();
        app.reset();
        clock.reset();
        installAudioBackend(nullptr);
        setMessageBoxAnswer(nullptr);
        setFileDialogAnswer(nullptr);
        resetLanguage();
        setenv("TONVELA_CONFIG_DIR", previousConfig.c_str(), 1);
    }

    // A4 three cents sharp, half scale, as a 16-bit recording.
    void writeRecording(double seconds, double hz = 440.0 * std::pow(2.0, 3.0 / 1200.0)) {
        std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * 44100));
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(
                std::lround(16384.0 * std::sin(2.0 * std::numbers::pi * hz *
                                               static_cast<double>(i) / 44100.0)));
        ASSERT_TRUE(test::writeWav16(recordingPath, 44100, 1, samples));
    }

    // The program with the recording as its stepped sound input.
    void startProgram() {
        // The mode as the settings dialog leaves it.
        Settings::openRoot("Tonvela");
        Settings("settings").writeInt("accuracy", GetParam().accuracy);
        auto recording = std::make_shared<Recording>();
        std::string error;
        ASSERT_TRUE(readRecording(recordingPath, *recording, error)) << error;
        auto owned = std::make_unique<VirtualAudioBackend>();
        VirtualInputDevice input;
        input.name = "A4 recording";
        input.pacing = VirtualInputDevice::Pacing::Stepped;
        input.recording = recording;
        const int device = owned->addInputDevice(input);
        owned->setOutputPacing(VirtualAudioBackend::OutputPacing::RealTime, false);
        clock = std::make_unique<SteppedInputClock>(*owned, device);
        ASSERT_TRUE(installAudioBackend(std::move(owned)));
        app.emplace();
        app->setAnalysisClock(clock.get());
        ASSERT_EQ(app->initInstance({}), TonvelaApp::Start::Running);
    }

    MeasuringTool& panel() { return *app->getMainFrame()->getView()->getMeasuringTool(); }

    test::TempDir dir;
    std::string recordingPath = dir.file("a4-plus-3-cents.wav");
    std::string savePath = dir.file("A4 session.tnv");
    std::string previousConfig;
    std::unique_ptr<SteppedInputClock> clock;
    std::optional<TonvelaApp> app;
};

TEST_P(EndToEndTest, OneMeasurementFromTheInputToTheSavedDocument) {
    const std::uint32_t runMs = GetParam().runMs;
    writeRecording(GetParam().recordingSeconds);
    startProgram();
    ASSERT_EQ(panel().getTarget().note, A4);
    MeasurementSettings settings;
    DataStructure::getInstance().getMeasurementSettings(settings);
    ASSERT_EQ(settings.accuracy, GetParam().accuracy);

    // "Automatic" in the protocol grid, clicked as a user would.
    const ProtocolControl& grid = panel().getProtocolControl();
    ASSERT_FALSE(grid.isAutoRecord());
    QTest::mouseClick(widgetOf(grid.getAutoCheck().getHandle()), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    ASSERT_TRUE(grid.isAutoRecord());

    // The strobe stands still while nothing is measured.
    const StrobeControl& strobe = panel().getStrobeControl();
    const std::vector<Colour> idle = test::grab(strobe.getHandle());
    sendMessage(strobe.getHandle(), WM_TIMER, StrobeControl::TICK_MS, 0);
    EXPECT_EQ(test::differences(strobe.getHandle(), idle, test::grab(strobe.getHandle())), "");

    // As the command-line tool seeds its run.
    tonvela::srand(Seed);
    ASSERT_TRUE(clock->run(runMs)) << "the recording did not reach the analysis";
    processPostedMessages();

    // The numeric display shows +3.0 (Standard reads to a tenth of a cent)
    // or +3.00.
    const char* const shownCents =
        GetParam().accuracy == MeasurementSettings::Standard ? "+3.0" : "+3.00";
    const AnalysisResultIfc* shown = panel().getCurrentResult();
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(shown->isValid());
    EXPECT_EQ(shown->getCentsText(), shownCents);
    EXPECT_EQ(shown->getTargetData()->note, A4);
    const DisplayControl& display = panel().getDisplayControl();
    const Rect area = getClientRect(display.getHandle());
    {
        test::RecordingWindow host(area.width(), area.height());
        DisplayControl expected(host.getHandle(), test::displayResources());
        expected.setPosition(0, 0, area.width(), area.height());
        expected.setTarget(display.getTarget());
        updateWindow(expected.getHandle());
        const test::FakeResult texts = shownTexts(shownCents, shown->getFrequencyText());
        expected.setResult(&texts);
        EXPECT_EQ(test::differences(display.getHandle(), test::grab(display.getHandle()),
                                    test::grab(expected.getHandle())),
                  "");
        expected.setResult(nullptr);
    }

    // The strobe's band drifts right, tick by tick: 3 cents are 6 cells a
    // second, so 10 ticks of 50 ms move it by 3 cells.
    const int before = strobe.getFirstLit();
    std::vector<Colour> previous = test::grab(strobe.getHandle());
    int changedTicks = 0;
    for (int tick = 0; tick < 10; ++tick) {
        sendMessage(strobe.getHandle(), WM_TIMER, StrobeControl::TICK_MS, 0);
        std::vector<Colour> now = test::grab(strobe.getHandle());
        if (now != previous)
            ++changedTicks;
        previous = std::move(now);
    }
    EXPECT_GE(changedTicks, 2);
    const int cells = strobe.getCellCount();
    const int moved = ((strobe.getFirstLit() - before) % cells + cells) % cells;
    EXPECT_GE(moved, 2);
    EXPECT_LE(moved, 4);

    // Automatic recording put the shown frequency into the protocol, and the
    // grid shows the note's cell.
    const float recorded = DataStructure::getInstance().getProtocol().getFrequency(A4);
    EXPECT_EQ(recorded, shown->getFrequency());
    EXPECT_TRUE(test::anyPixel(grid.getHandle(), grid.cellRect(A4), grid.valueColour));
    EXPECT_FALSE(test::anyPixel(grid.getHandle(), grid.cellRect(A4 + 1), grid.valueColour));

    // Save As, through the file dialog.
    ASSERT_TRUE(app->getMainFrame()->onFileSaveAs());
    EXPECT_EQ(app->getMainFrame()->getPathName(), savePath);
    EXPECT_EQ(app->getMainFrame()->windowTitle().toStdString(), "A4 session.tnv - Tonvela");

    // The command-line tool reads the same frequency back from the file.
    const std::string cliConfig = "TONVELA_CONFIG_DIR='" + dir.file("cli-config") + "' ";
    std::string out;
    std::string err;
    ASSERT_EQ(test::runCommand(cliConfig + "'" TONVELA_CLI "' show '" + savePath + "'", out, err),
              0)
        << err;
    // Standard's reading lies between its grid's steps, within a few
    // hundredths of the tone.
    const std::string entry =
        std::to_string(A4) + "\tA4\t" + NumberText::fixed(recorded, 3) + " Hz\t";
    const std::size_t at = out.find(entry);
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_NEAR(NumberText::parseReal(out.substr(at + entry.size())).value_or(NAN), 3.0, 0.05)
        << out;

    // And measures the same recording as the panel did: the same results at
    // the same moments, so the one shown is among them, and its cents too.
    ASSERT_EQ(test::runCommand(cliConfig + "'" TONVELA_CLI "'  measure --json --seed " +
                                   std::to_string(Seed) + " --mode " + GetParam().cliName + " '" +
                                   recordingPath + "'",
                               out, err),
              0)
        << err;
    const std::vector<CliResult> measured = parseResults(out);
    std::vector<CliResult> sameTime;
    for (const CliResult& r : measured)
        if (r.time * 1000.0 <= runMs + 0.5)
            sameTime.push_back(r);
    ASSERT_FALSE(sameTime.empty()) << out;
    const CliResult& last = sameTime.back();
    EXPECT_TRUE(last.valid);
    EXPECT_EQ(last.cents, NumberText::fixed(shown->getCents(), 4));
    EXPECT_EQ(last.frequency, NumberText::fixed(shown->getFrequency(), 4));
    EXPECT_EQ(last.windowMs, shown->getWindowMs());
    const std::size_t summary = out.rfind("{\"results\"");
    ASSERT_NE(summary, std::string::npos) << out;
    const std::string median = jsonValue(out.substr(summary), "medianCents");
    EXPECT_NEAR(std::strtof(median.c_str(), nullptr), 3.0f, 0.05f) << out;
}

// Settings > Measurement... switches the mode while the tone plays: from
// the next analysis on, the results come in the new mode.
TEST_P(EndToEndTest, MeasurementDialogSwitchesTheModeOfTheNextResult) {
    const bool precise = GetParam().accuracy == MeasurementSettings::MostAccurate;
    const int newMode = precise ? MeasurementSettings::Standard : MeasurementSettings::MostAccurate;
    const int newButton = precise ? IDC_MODE_STANDARD : IDC_MODE_MOST_ACCURATE;
    writeRecording(16.0);
    startProgram();
    const auto isPrecise = [](const AnalysisResultIfc* r) {
        return dynamic_cast<const AnalysisResultPro*>(r) != nullptr;
    };

    // Long enough that both modes find a full window of the tone.
    std::uint32_t time = 10000;
    tonvela::srand(Seed);
    ASSERT_TRUE(clock->run(time));
    processPostedMessages();
    const AnalysisResultIfc* before = panel().getCurrentResult();
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(isPrecise(before), precise);

    setModalRunner([newButton](QDialog& dialog) {
        auto* mode = dialog.findChild<QRadioButton*>(QString::number(newButton));
        EXPECT_NE(mode, nullptr);
        if (!mode)
            return false;
        mode->click();
        dialog.accept();
        return dialog.result() == QDialog::Accepted;
    });
    app->getMainFrame()->action(ID_SETTINGS_MEASUREMENT)->trigger();
    setModalRunner(nullptr);
    ASSERT_EQ(DataStructure::getInstance().getAccuracy(), newMode);

    // A record begun before the change may still come; every one after it is
    // in the new mode.
    std::vector<bool> preciseResults;
    const AnalysisResultIfc* last = before;
    for (int cycle = 0; cycle < 8; ++cycle) {
        time += 400;
        ASSERT_TRUE(clock->run(time));
        processPostedMessages();
        if (panel().getCurrentResult() != last) {
            last = panel().getCurrentResult();
            preciseResults.push_back(isPrecise(last));
        }
    }
    ASSERT_GE(preciseResults.size(), 3u);
    for (std::size_t i = 1; i < preciseResults.size(); ++i)
        EXPECT_EQ(preciseResults[i], !precise) << "result " << i << " after the change";
    EXPECT_TRUE(last->isValid());
    // Standard reads to a tenth of a cent, Most Accurate to hundredths.
    EXPECT_EQ(last->getCentsText(), precise ? "+3.0" : "+3.00");
}

// The donation reminder is modal, but while it waits for an answer the
// analysis goes on and its results reach the panel and the protocol.
TEST_P(EndToEndTest, TheDonationReminderLeavesTheMeasurementRunning) {
    writeRecording(GetParam().recordingSeconds);
    Settings::openRoot("Tonvela");
    writeProfileInt("settings", "usage", 6000);
    writeProfileInt("settings", "limit", 6000);
    resetUsageCounting();
    startProgram();
    const ProtocolControl& grid = panel().getProtocolControl();
    QTest::mouseClick(widgetOf(grid.getAutoCheck().getHandle()), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    ASSERT_TRUE(grid.isAutoRecord());

    bool asked = false;
    std::string centsWhileAsked;
    float recordedWhileAsked = 0.0f;
    QTimer::singleShot(0, [&] {
        if (!qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            return;
        asked = true;
        tonvela::srand(Seed);
        EXPECT_TRUE(clock->run(GetParam().runMs));
        // The question's own event loop delivers the results posted meanwhile.
        QTimer::singleShot(0, [&] {
            if (const AnalysisResultIfc* shown = panel().getCurrentResult())
                centsWhileAsked = shown->getCentsText();
            recordedWhileAsked = DataStructure::getInstance().getProtocol().getFrequency(A4);
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
    });
    app->getMainFrame()->getView()->onUsageTimer();
    ASSERT_TRUE(asked);
    EXPECT_EQ(centsWhileAsked,
              GetParam().accuracy == MeasurementSettings::Standard ? "+3.0" : "+3.00");
    EXPECT_GT(recordedWhileAsked, 440.0f);
    EXPECT_EQ(DataStructure::getInstance().getProtocol().getFrequency(A4), recordedWhileAsked);
    EXPECT_TRUE(app->getMainFrame()->getView()->usageTimerActive());
}

// The scale chosen in the scale dialog is the scale the tone is measured in:
// Kirnberger III on D at 442 Hz, with a tone two cents above its A4.
class ScaleEndToEndTest : public EndToEndTest {};

TEST_P(ScaleEndToEndTest, ScaleDialogChoiceMeasuredAsTheToolMeasuresIt) {
    const std::string key = "kirnberger3_1779";
    std::optional<ToneScaleCollection> reference;
    reference.emplace();
    reference->setScale(key, 2, 442.0f, 0.0f);
    constexpr int E4 = 52;
    const float target = reference->getNoteFrequency(E4);
    ASSERT_GT(std::fabs(target - 442.0f * std::pow(2.0f, -5.0f / 12.0f)), 0.1f);
    writeRecording(GetParam().recordingSeconds, target * std::pow(2.0, 2.0 / 1200.0));
    startProgram();
    ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    const std::string scaleName = scales.find(key)->getName();

    // Tune → Scale..., worked as a user would.
    test::whenModal<ScaleDialog>([&scaleName](ScaleDialog* dialog) {
        auto* list = test::control<QComboBox>(dialog, 1001);
        list->setCurrentIndex(list->findText(QString::fromStdString(scaleName)));
        auto* keynote = test::control<QComboBox>(dialog, 1053);
        keynote->setCurrentIndex(keynote->findText(QStringLiteral("D")));
        test::control<QLineEdit>(dialog, 1002)->setText(QStringLiteral("442"));
        QTest::mouseClick(test::control<QPushButton>(dialog, 1), Qt::LeftButton);
    });
    app->getMainFrame()->action(ID_TUNE_SCALE)->trigger();
    EXPECT_EQ(scales.getCurrentScale()->getKey(), key);
    EXPECT_EQ(scales.getKeynote(), 2);
    EXPECT_EQ(scales.getStandardPitch(), 442.0f);
    // The panel follows at once, and the document holds the new scale.
    EXPECT_EQ(panel().getTarget().frequency, 442.0f);
    panel().setTargetNote(E4);
    EXPECT_EQ(panel().getTarget().frequency, target);
    EXPECT_TRUE(app->getDocument()->IsModified());

    const ProtocolControl& grid = panel().getProtocolControl();
    QTest::mouseClick(widgetOf(grid.getAutoCheck().getHandle()), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    ASSERT_TRUE(grid.isAutoRecord());
    tonvela::srand(Seed);
    ASSERT_TRUE(clock->run(GetParam().runMs)) << "the recording did not reach the analysis";
    processPostedMessages();
    const AnalysisResultIfc* shown = panel().getCurrentResult();
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(shown->isValid());
    EXPECT_EQ(shown->getCentsText(), "+2.0");
    EXPECT_EQ(shown->getTargetData()->frequency, target);

    std::string out;
    std::string err;
    ASSERT_EQ(test::runCommand("TONVELA_CONFIG_DIR='" + dir.file("cli-config") +
                                   "' '" TONVELA_CLI "' measure --json --seed " +
                                   std::to_string(Seed) + " --mode " + GetParam().cliName +
                                   " --note E4 --temperament " + key +
                                   " --keynote D --pitch 442 '" + recordingPath + "'",
                               out, err),
              0)
        << err;
    std::vector<CliResult> sameTime;
    for (const CliResult& r : parseResults(out))
        if (r.time * 1000.0 <= GetParam().runMs + 0.5)
            sameTime.push_back(r);
    ASSERT_FALSE(sameTime.empty()) << out;
    const CliResult& last = sameTime.back();
    EXPECT_EQ(last.frequency, NumberText::fixed(shown->getFrequency(), 4));
    EXPECT_EQ(last.cents, NumberText::fixed(shown->getCents(), 4));

    // The numeric display shows that reading, and the protocol cell holds it.
    const DisplayControl& display = panel().getDisplayControl();
    const Rect area = getClientRect(display.getHandle());
    {
        test::RecordingWindow host(area.width(), area.height());
        DisplayControl expected(host.getHandle(), test::displayResources());
        expected.setPosition(0, 0, area.width(), area.height());
        expected.setTarget(display.getTarget());
        updateWindow(expected.getHandle());
        const auto cliFrequency = static_cast<float>(*NumberText::parseReal(last.frequency));
        const auto cliCents = static_cast<float>(*NumberText::parseReal(last.cents));
        const test::FakeResult texts =
            shownTexts(NumberText::signedFixed(cliCents, 1), NumberText::fixed(cliFrequency, 2));
        expected.setResult(&texts);
        EXPECT_EQ(test::differences(display.getHandle(), test::grab(display.getHandle()),
                                    test::grab(expected.getHandle())),
                  "");
        expected.setResult(nullptr);
    }
    const float recorded = DataStructure::getInstance().getProtocol().getFrequency(E4);
    EXPECT_EQ(NumberText::fixed(recorded, 4), last.frequency);
    // The protocol keeps the reading between the grid's points.
    EXPECT_NEAR(*NumberText::parseReal(scales.formatDeviation(E4, recorded)), 2.0, 0.05);
    EXPECT_TRUE(test::anyPixel(grid.getHandle(), grid.cellRect(E4), grid.valueColour));
}

INSTANTIATE_TEST_SUITE_P(
    Standard, ScaleEndToEndTest,
    ::testing::Values(Mode{MeasurementSettings::Standard, "standard", 3000, 4.0}),
    [](const ::testing::TestParamInfo<Mode>& info) { return std::string(info.param.cliName); });

INSTANTIATE_TEST_SUITE_P(
    Modes, EndToEndTest,
    ::testing::Values(Mode{MeasurementSettings::Standard, "standard", 3000, 4.0},
                      Mode{MeasurementSettings::MostAccurate, "precise", 10000, 12.0}),
    [](const ::testing::TestParamInfo<Mode>& info) { return std::string(info.param.cliName); });

} // namespace
} // namespace tonvela
