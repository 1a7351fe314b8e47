#include "panel/MeasuringTool.h"
#include "platform/gui/WindowTesting.h"

#include "DisplayPixels.h"
#include "PanelState.h"
#include "PanelTestSupport.h"
#include "analysis/AnalysisResultStd.h"
#include "analysis/CentFreqCalculator.h"
#include "analysis/ChangingTones.h"
#include "analysis/HeldClock.h"
#include "analysis/WideSearch.h"
#include "audio/CaptureDriverManager.h"
#include "gui/GuiTestSupport.h"
#include "panel/WindowResultReceiver.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/QtBridge.h"
#include "platform/store/Settings.h"
#include "resources/Language.h"
#include "runtime/Messages.h"
#include "state/DataStructure.h"
#include "state/Protocol.h"
#include "support/DisplayResources.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <vector>

namespace tonvela {
namespace {

using test::RecordingWindow;

constexpr unsigned PanelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;

// A record of the standard analyzer against target with a clean peak
// `cents` whole cents away, or an unclear one (no sound in any pass).
std::unique_ptr<AnalysisResultIfc> record(const TargetData& target, int cents, bool clean = true) {
    std::unique_ptr<AnalysisResultStd> r;
    if (clean) {
        r = test::recordAt(target, 1.0f, cents);
    } else {
        r = std::make_unique<AnalysisResultStd>(target, 200, 1.0f);
        r->evaluate();
    }
    EXPECT_EQ(r->isValid(), clean);
    r->setWindowMs(1000); // a buffer of four records
    r->setIntervalMs(400);
    return r;
}

struct Expected {
    Rect rect;
    bool visible;
};

class MeasuringToolTest : public ::testing::Test {
protected:
    MeasuringToolTest() {
        auto owned = std::make_unique<VirtualAudioBackend>();
        devices = owned.get();
        devices->setOutputPacing(VirtualAudioBackend::OutputPacing::Stepped);
        installAudioBackend(std::move(owned));
    }
    ~MeasuringToolTest() override {
        closePanel();
        installAudioBackend(nullptr);
    }

    void openPanel(int width = 1000, int height = 700, AnalysisClock* analysisClock = nullptr) {
        host = std::make_unique<RecordingWindow>(width, height);
        clock = std::make_unique<test::HeldClock>();
        panel = std::make_unique<MeasuringTool>(
            "", "", PanelStyle, host->getHandle(), DataStructure::getInstance(),
            test::displayResources(), analysisClock ? analysisClock : clock.get());
        // As the view does: the panel fills its client area.
        panel->setPosition(0, 0, width, height);
    }
    void closePanel() {
        if (clock) {
            clock->release();
        }
        panel.reset();
        clock.reset();
        host.reset();
        // The last analysis may have opened the input.
        CaptureDriverManager::destroyInstance();
    }

public:
    // Through the window layer, as the analysis thread posts it.
    void deliver(std::unique_ptr<AnalysisResultIfc> r) { post(std::move(r)); }

protected:
    // Through the window layer, as the analysis thread posts it.
    void post(std::unique_ptr<AnalysisResultIfc> r) {
        WindowResultReceiver(panel->getHandle()).deliver(std::move(r));
        processPostedMessages();
    }
    void postAt(int cents, bool clean = true) { post(record(panel->getTarget(), cents, clean)); }
    void sendTarget(WParam note) { sendMessage(panel->getHandle(), WM_TARGET_NOTE, note, 0); }
    int note() const { return panel->getTarget().note; }
    void click(WindowHandle* hwnd, QPoint at = QPoint(5, 5)) {
        QTest::mouseClick(widgetOf(hwnd), Qt::LeftButton, Qt::NoModifier, at);
    }
    void clickToggle(int i) { click(panel->getToggle(i).getHandle()); }
    float shownCents() const {
        const AnalysisResultIfc* r = panel->getCurrentResult();
        return r ? r->getCents() : NAN;
    }

    static void setMeasurement(int autoSwap, int autoMeasure) {
        DataStructure& state = DataStructure::getInstance();
        MeasurementSettings settings;
        state.getMeasurementSettings(settings);
        settings.autoSwap = autoSwap;
        settings.autoMeasure = autoMeasure;
        state.setMeasurementSettings(settings);
    }

    void expectLayout(const std::vector<std::pair<const Window*, Expected>>& expected) {
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const auto& [window, e] = expected[i];
            EXPECT_EQ(isWindowVisible(window->getHandle()), e.visible) << "window " << i;
            if (e.visible) {
                EXPECT_EQ(getWindowRect(window->getHandle()), e.rect) << "window " << i;
            }
        }
    }

    // Samples the synthesizer writes to the virtual output from now on.
    std::vector<std::int16_t> play(int buffers) {
        const std::size_t before = devices->outputSamples().size();
        for (int i = 0; i < buffers; ++i) {
            EXPECT_TRUE(devices->stepOutput()) << "buffer " << i;
        }
        const std::vector<std::int16_t> all = devices->outputSamples();
        return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
    }

    // The frequency of a steady tone: whole periods between the first and
    // the last rising zero crossing, placed between samples.
    static double frequencyOf(const std::vector<std::int16_t>& samples) {
        double first = -1.0;
        double last = -1.0;
        int periods = -1;
        for (std::size_t i = 1; i < samples.size(); ++i) {
            if (samples[i - 1] < 0 && samples[i] >= 0) {
                const double at =
                    double(i - 1) + double(-samples[i - 1]) / double(samples[i] - samples[i - 1]);
                if (first < 0.0) {
                    first = at;
                }
                last = at;
                ++periods;
            }
        }
        return periods > 0 ? periods * 44100.0 / (last - first) : 0.0;
    }
    static int peakOf(const std::vector<std::int16_t>& samples) {
        int peak = 0;
        for (std::int16_t s : samples) {
            peak = std::max(peak, std::abs(int(s)));
        }
        return peak;
    }

    test::PanelState state{Language::English};
    VirtualAudioBackend* devices = nullptr;
    std::unique_ptr<test::HeldClock> clock;
    std::unique_ptr<RecordingWindow> host;
    std::unique_ptr<MeasuringTool> panel;
};

// Each icon button says what it does, as tooltip and to a screen reader, in
// the language of the program.
TEST_F(MeasuringToolTest, IconButtonsHaveTooltipsAndAccessibleNames) {
    struct Case {
        Language language;
        const char* toggles[MeasuringTool::ToggleCount];
        const char* transposes[MeasuringTool::TransposeCount];
    };
    const Case cases[] = {
        {Language::English,
         {"Show Tuning Information", "Show Strobe", "Show Deviation", "Show Spectrum",
          "Show Protocol", "Show Keyboard", "Zoom", "Play Reference Tone"},
         {"Octave Down", "Fifth Down", "Semitone Down", "Semitone Up", "Fifth Up", "Octave Up"}},
        {Language::German,
         {"Stimmungsangaben anzeigen", "Stroboskop anzeigen", "Abweichung anzeigen",
          "Spektrum anzeigen", "Protokoll anzeigen", "Tastatur anzeigen", "Vergrößern",
          "Referenzton spielen"},
         {"Oktave tiefer", "Quinte tiefer", "Halbton tiefer", "Halbton höher", "Quinte höher",
          "Oktave höher"}},
    };
    for (const Case& c : cases) {
        state.setLanguage(c.language);
        openPanel();
        auto expectDescribed = [](const Window& button, const char* text) {
            const QWidget* widget = widgetOf(button.getHandle());
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->toolTip().toStdString(), text);
            EXPECT_EQ(widget->accessibleName().toStdString(), text);
        };
        for (int i = 0; i < MeasuringTool::ToggleCount; ++i) {
            expectDescribed(panel->getToggle(i), c.toggles[i]);
        }
        for (int j = 0; j < MeasuringTool::TransposeCount; ++j) {
            expectDescribed(panel->getTransposeButton(j), c.transposes[j]);
        }
        closePanel();
    }
}

TEST_F(MeasuringToolTest, FirstStartShowsA4WithoutDeviationAndOneKeyboardRow) {
    openPanel(1000, 700);
    const TargetData& target = panel->getTarget();
    EXPECT_EQ(target.note, 57);
    EXPECT_EQ(target.name, "A4");
    EXPECT_EQ(target.frequency, DataStructure::getInstance().getToneScales().getNoteFrequency(57));
    EXPECT_FLOAT_EQ(target.frequency, 440.0f);
    EXPECT_TRUE(panel->getDisplayControl().getTarget().equals(target));
    for (int i = 0; i < MeasuringTool::KeyboardCount; ++i) {
        EXPECT_EQ(panel->getKeyboard(i).getHighlight(), i == 4 ? 9 : -1) << i;
        EXPECT_EQ(panel->getKeyboard(i).octave, i);
    }

    // 1000 x 700: 992 wide, 664 high above the button row. The strobe follows
    // the tuning information row; the keyboards (89 high, 15 + 0.6 * 124)
    // sit at the bottom; chart and protocol share the 467 pixels between.
    expectLayout({
        {&panel->getToneScaleControl(), {{4, 4, 498, 70}, true}},
        {&panel->getDisplayControl(), {{502, 4, 996, 70}, true}},
        {&panel->getStrobeControl(), {{4, 74, 996, 104}, true}},
        {&panel->getDeviationControl(), {{}, false}},
        {&panel->getChartControl(), {{4, 108, 996, 339}, true}},
        {&panel->getProtocolControl(), {{4, 343, 996, 575}, true}},
    });
    const int keyboardLeft[8] = {4, 127, 250, 373, 496, 620, 744, 869};
    const int keyboardWidth[8] = {124, 124, 124, 124, 125, 125, 126, 127};
    for (int i = 0; i < 8; ++i) {
        const Window& keyboard = panel->getKeyboard(i);
        EXPECT_TRUE(isWindowVisible(keyboard.getHandle())) << i;
        EXPECT_EQ(getWindowRect(keyboard.getHandle()),
                  (Rect{keyboardLeft[i], 579, keyboardLeft[i] + keyboardWidth[i], 668}))
            << i;
        EXPECT_EQ(panel->getKeyboard(i).blackKeyHalfWidth, 4) << i;
    }
    for (int i = 0; i < MeasuringTool::ToggleCount; ++i) {
        EXPECT_EQ(getWindowRect(panel->getToggle(i).getHandle()),
                  (Rect{4 + 34 * i, 672, 34 + 34 * i, 696}))
            << i;
    }
    // The transpose buttons end at the right margin.
    for (int j = 0; j < MeasuringTool::TransposeCount; ++j) {
        EXPECT_EQ(getWindowRect(panel->getTransposeButton(j).getHandle()),
                  (Rect{796 + 34 * j, 672, 826 + 34 * j, 696}))
            << j;
        EXPECT_TRUE(isWindowEnabled(panel->getTransposeButton(j).getHandle())) << j;
    }

    const bool checked[8] = {true, true, false, true, true, true, false, false};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(panel->getToggle(i).isChecked(), checked[i]) << i;
    }
    EXPECT_FALSE(panel->getConfig().zoom);
    EXPECT_FALSE(panel->getDeviationControl().getRuler().isZoomed());
    EXPECT_FALSE(panel->getChartControl().getRuler().isZoomed());
    EXPECT_EQ(panel->getReferenceTone(), -1);
    EXPECT_EQ(panel->getCurrentResult(), nullptr);
    EXPECT_EQ(panel->getSettleCountdown(), 5);
    EXPECT_EQ(panel->getProtocolControl().getOutlinedNote(), 57);
}

TEST_F(MeasuringToolTest, LayoutFillsRowsFromTheTop) {
    struct Case {
        int mask;
        int width, height;
        std::vector<Expected> displays; // info left, info right, strobe, deviation, chart, protocol
        Rect firstKeyboard, lastKeyboard;
        bool keyboards;
        int blackKeyHalfWidth;
    };
    const Case cases[] = {
        // 500 high, every display on: chart and protocol share the 218
        // pixels between the deviation bar and the keyboards.
        {127,
         800,
         500,
         {{{4, 4, 398, 70}, true},
          {{402, 4, 796, 70}, true},
          {{4, 74, 796, 104}, true},
          {{4, 108, 796, 168}, true},
          {{4, 172, 796, 279}, true},
          {{4, 283, 796, 390}, true}},
         {4, 394, 103, 468},
         {694, 394, 796, 468},
         true,
         3},
        // The same with two keyboard rows: keyboards 0..3 below 4..7.
        {511,
         800,
         500,
         {{{4, 4, 398, 70}, true},
          {{402, 4, 796, 70}, true},
          {{4, 74, 796, 104}, true},
          {{4, 108, 796, 168}, true},
          {{4, 172, 796, 183}, true},
          {{4, 187, 796, 198}, true}},
         {4, 335, 202, 468},
         {596, 202, 796, 335},
         true,
         7},
        // Too low for the tuning information: nothing fits after it.
        {127,
         800,
         100,
         {{{}, false}, {{}, false}, {{}, false}, {{}, false}, {{}, false}, {{}, false}},
         {},
         {},
         false,
         3},
        // Keyboards that do not fit leave their height to chart and protocol.
        {115,
         800,
         150,
         {{{4, 4, 398, 70}, true},
          {{402, 4, 796, 70}, true},
          {{4, 74, 796, 104}, true},
          {{}, false},
          {{4, 108, 796, 111}, true},
          {{4, 115, 796, 118}, true}},
         {},
         {},
         false,
         3},
        // Nothing but the button row.
        {0,
         800,
         500,
         {{{}, false}, {{}, false}, {{}, false}, {{}, false}, {{}, false}, {{}, false}},
         {},
         {},
         false,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mask " + std::to_string(c.mask) + " height " + std::to_string(c.height));
        Settings("settings").writeInt("mtool", c.mask);
        openPanel(c.width, c.height);
        expectLayout({
            {&panel->getToneScaleControl(), c.displays[0]},
            {&panel->getDisplayControl(), c.displays[1]},
            {&panel->getStrobeControl(), c.displays[2]},
            {&panel->getDeviationControl(), c.displays[3]},
            {&panel->getChartControl(), c.displays[4]},
            {&panel->getProtocolControl(), c.displays[5]},
        });
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(isWindowVisible(panel->getKeyboard(i).getHandle()), c.keyboards) << i;
            if (c.mask & (1 << 6)) {
                EXPECT_EQ(panel->getKeyboard(i).blackKeyHalfWidth, c.blackKeyHalfWidth) << i;
            }
        }
        if (c.keyboards) {
            EXPECT_EQ(getWindowRect(panel->getKeyboard(0).getHandle()), c.firstKeyboard);
            EXPECT_EQ(getWindowRect(panel->getKeyboard(7).getHandle()), c.lastKeyboard);
        }
        // The button row stays at the bottom.
        const int yb = c.height - 28;
        EXPECT_EQ(getWindowRect(panel->getToggle(0).getHandle()), (Rect{4, yb, 34, yb + 24}));
        EXPECT_EQ(getWindowRect(panel->getTransposeButton(5).getHandle()),
                  (Rect{766, yb, 796, yb + 24}));
        closePanel();
    }
}

TEST_F(MeasuringToolTest, NarrowPanelPutsTransposeButtonsAfterToggles) {
    openPanel(300, 400);
    for (int j = 0; j < MeasuringTool::TransposeCount; ++j) {
        EXPECT_EQ(getWindowRect(panel->getTransposeButton(j).getHandle()).left, 276 + 34 * j) << j;
    }
}

TEST_F(MeasuringToolTest, TransposeButtonsLeaveNoButtonThatWouldLeaveTheRange) {
    openPanel();
    struct Case {
        int note;
        bool enabled[6];
    };
    const Case cases[] = {
        {0, {false, false, false, true, true, true}},  {6, {false, false, true, true, true, true}},
        {95, {true, true, true, false, false, false}}, {88, {true, true, true, true, true, false}},
        {89, {true, true, true, true, false, false}},  {57, {true, true, true, true, true, true}},
    };
    for (const Case& c : cases) {
        sendTarget(WParam(c.note));
        ASSERT_EQ(note(), c.note);
        for (int j = 0; j < 6; ++j) {
            EXPECT_EQ(isWindowEnabled(panel->getTransposeButton(j).getHandle()), c.enabled[j])
                << "note " << c.note << " button " << j;
        }
    }
    // A click moves the target by the button's interval.
    const int steps[6] = {-12, -7, -1, 1, 7, 12};
    for (int j = 0; j < 6; ++j) {
        sendTarget(57);
        click(panel->getTransposeButton(j).getHandle());
        EXPECT_EQ(note(), 57 + steps[j]) << j;
    }
}

TEST_F(MeasuringToolTest, TargetNoteMessageClampsAndIgnoresTheCurrentNote) {
    openPanel();
    postAt(3);
    ASSERT_NE(panel->getCurrentResult(), nullptr);
    const int countdown = panel->getSettleCountdown();

    sendTarget(57);
    EXPECT_NE(panel->getCurrentResult(), nullptr) << "the current note clears nothing";
    EXPECT_EQ(panel->getResults().size(), 1);
    EXPECT_EQ(panel->getSettleCountdown(), countdown);

    sendTarget(200);
    EXPECT_EQ(note(), 95);
    EXPECT_EQ(panel->getTarget().name, "B7");
    EXPECT_EQ(panel->getKeyboard(7).getHighlight(), 11);
    EXPECT_EQ(panel->getKeyboard(4).getHighlight(), -1);
    EXPECT_EQ(panel->getCurrentResult(), nullptr);
    EXPECT_EQ(panel->getResults().size(), 0);
    EXPECT_EQ(panel->getSettleCountdown(), 5);

    sendTarget(static_cast<WParam>(-5));
    EXPECT_EQ(note(), 0);
    EXPECT_EQ(panel->getTarget().name, "C0");
    EXPECT_EQ(panel->getKeyboard(0).getHighlight(), 0);
    EXPECT_EQ(panel->getKeyboard(7).getHighlight(), -1);
    EXPECT_EQ(panel->getProtocolControl().getOutlinedNote(), 0);
}

TEST_F(MeasuringToolTest, KeysMoveTheTarget) {
    openPanel();
    struct Case {
        unsigned key;
        int to;
    };
    const Case cases[] = {{VK_PRIOR, 69}, {VK_NEXT, 57}, {VK_UP, 58}, {VK_RIGHT, 59},
                          {VK_DOWN, 58},  {VK_LEFT, 57}, {0x41, 57}};
    for (const Case& c : cases) {
        sendMessage(panel->getHandle(), WM_KEYDOWN, c.key, 1);
        EXPECT_EQ(note(), c.to) << c.key;
    }
    sendTarget(90);
    sendMessage(panel->getHandle(), WM_KEYDOWN, VK_PRIOR, 1);
    EXPECT_EQ(note(), 95);
}

TEST_F(MeasuringToolTest, AClickGivesThePanelTheKeyboardFocus) {
    openPanel();
    QWidget* window = widgetOf(host->getHandle());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    // On a display, on a toggle and on a transpose button: the panel takes
    // the focus, and the keys reach it.
    const WindowHandle* clicked[] = {panel->getChartControl().getHandle(),
                                     panel->getToggle(MeasuringTool::ToggleZoom).getHandle(),
                                     panel->getTransposeButton(3).getHandle()};
    int expected = 57;
    for (const WindowHandle* where : clicked) {
        setFocus(host->getHandle());
        click(const_cast<WindowHandle*>(where));
        if (where == panel->getTransposeButton(3).getHandle()) {
            ++expected;
        }
        EXPECT_EQ(getFocus(), panel->getHandle());
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        EXPECT_EQ(note(), ++expected);
    }
}

TEST_F(MeasuringToolTest, AutomaticToneDetectionMovesTheTargetAfterFiveResults) {
    openPanel();
    struct Case {
        int cents;
        int movesWith; // 0: never within 12 results
        int to;
    };
    const Case cases[] = {
        {70, 6, 58},  {66, 0, 57},  {67, 6, 58},   {-66, 0, 57},  {-67, 6, 56}, {150, 6, 58},
        {151, 6, 59}, {160, 6, 59}, {-160, 6, 55}, {-150, 6, 56}, {0, 0, 57},
    };
    setMeasurement(1, 1);
    for (const Case& c : cases) {
        sendTarget(0);
        sendTarget(57);
        int movedWith = 0;
        for (int i = 1; i <= 12 && movedWith == 0; ++i) {
            postAt(c.cents);
            if (note() != 57) {
                movedWith = i;
            } else {
                // Until then every clean result is shown.
                EXPECT_NEAR(shownCents(), float(c.cents), 0.01f) << c.cents << " result " << i;
            }
        }
        EXPECT_EQ(movedWith, c.movesWith) << c.cents;
        EXPECT_EQ(note(), c.to) << c.cents;
        if (movedWith != 0) {
            // The new target starts afresh.
            EXPECT_EQ(panel->getCurrentResult(), nullptr);
            EXPECT_EQ(panel->getResults().size(), 0);
            EXPECT_EQ(panel->getSettleCountdown(), 5);
        }
    }
}

TEST_F(MeasuringToolTest, AutomaticToneDetectionFollowsTheToneAndStaysOffWhenOff) {
    openPanel();
    setMeasurement(0, 1);
    for (int i = 0; i < 12; ++i) {
        postAt(160);
    }
    EXPECT_EQ(note(), 57) << "off: the target stays";
    EXPECT_NEAR(shownCents(), 160.0f, 0.01f);

    // On: a tone five semitones up is reached step by step, two at a time,
    // each step after five settling results (on a grid wide enough to see it
    // from the start).
    setMeasurement(1, 1);
    const float played = DataStructure::getInstance().getToneScales().getNoteFrequency(62);
    // The twelve results above were the settling ones: the first move comes
    // with the next result, each later one with the sixth after it.
    std::vector<int> path{note()};
    std::vector<int> movedAt;
    for (int i = 1; i <= 40; ++i) {
        const TargetData& target = panel->getTarget();
        const int cents =
            int(std::lround(CentFreqCalculator::centsBetween(target.frequency, played)));
        std::unique_ptr<AnalysisResultStd> r = test::recordAt(target, 1.0f, cents, 600);
        r->setWindowMs(1000);
        r->setIntervalMs(400);
        post(std::move(r));
        if (path.back() != note()) {
            path.push_back(note());
            movedAt.push_back(i);
        }
    }
    EXPECT_EQ(path, (std::vector<int>{57, 59, 61, 62}));
    EXPECT_EQ(movedAt, (std::vector<int>{1, 7, 13}));
    EXPECT_NEAR(shownCents(), 0.0f, 0.01f);
}

TEST_F(MeasuringToolTest, AutomaticMeasurementStopFallsBackToTheOldestResult) {
    openPanel();
    ASSERT_EQ(DataStructure::getInstance().getAutoMeasure(), 1);
    for (int cents = 1; cents <= 6; ++cents) {
        postAt(cents);
    }
    // A one-second window at 400 ms keeps four records: 3, 4, 5 and 6.
    ASSERT_EQ(panel->getResults().size(), 4);
    postAt(0, false);
    EXPECT_NEAR(shownCents(), 3.0f, 0.01f);
    EXPECT_EQ(panel->getCurrentResult(), panel->getResults().oldest());
    // Held, and it looks held: the strobe stands still and the numbers are
    // drawn in a dimmer green; a live result is drawn live again.
    const auto greenPixels = [&](Colour colour) {
        const std::vector<Colour> pixels =
            test::allPixelsOf(panel->getDisplayControl().getHandle());
        return std::count(pixels.begin(), pixels.end(), colour);
    };
    const Colour live = rgb(0, 218, 0);
    const Colour dim = rgb(0, 109, 0);
    EXPECT_TRUE(panel->getDisplayControl().isHeld());
    EXPECT_TRUE(panel->getStrobeControl().isHeld());
    EXPECT_EQ(greenPixels(live), 0);
    EXPECT_GT(greenPixels(dim), 0);
    const int band = panel->getStrobeControl().getFirstLit();
    for (int tick = 0; tick < 40; ++tick)
        sendMessage(panel->getStrobeControl().getHandle(), WM_TIMER, StrobeControl::TICK_MS, 0);
    EXPECT_EQ(panel->getStrobeControl().getFirstLit(), band);
    EXPECT_TRUE(panel->getDeviationControl().isBarVisible() ||
                !isWindowVisible(panel->getDeviationControl().getHandle()));
    EXPECT_EQ(panel->getResults().size(), 4) << "the unclear record is not kept";

    // A clean result is shown again at once.
    postAt(7);
    EXPECT_NEAR(shownCents(), 7.0f, 0.01f);
    EXPECT_FALSE(panel->getDisplayControl().isHeld());
    EXPECT_FALSE(panel->getStrobeControl().isHeld());
    EXPECT_GT(greenPixels(live), 0);
    EXPECT_EQ(greenPixels(dim), 0);
    for (int tick = 0; tick < 40; ++tick)
        sendMessage(panel->getStrobeControl().getHandle(), WM_TIMER, StrobeControl::TICK_MS, 0);
    EXPECT_NE(panel->getStrobeControl().getFirstLit(), band);

    // Right after a change of target there is nothing to fall back on.
    sendTarget(58);
    postAt(0, false);
    EXPECT_EQ(panel->getCurrentResult(), nullptr);
    EXPECT_EQ(panel->getResults().size(), 0);

    // Off: an unclear result is shown as it is.
    setMeasurement(0, 0);
    postAt(2);
    postAt(0, false);
    ASSERT_NE(panel->getCurrentResult(), nullptr);
    EXPECT_FALSE(panel->getCurrentResult()->isValid());
    EXPECT_EQ(panel->getResults().size(), 2);
}

TEST_F(MeasuringToolTest, AResultForAnotherTargetIsDiscarded) {
    openPanel();
    postAt(2);
    ASSERT_NE(panel->getCurrentResult(), nullptr);
    const int countdown = panel->getSettleCountdown();

    // Analysed for A4 at another pitch: dropped, the displays go blank, the
    // buffer stays.
    post(record(TargetData(57, 442.0f, "A4"), 2));
    EXPECT_EQ(panel->getCurrentResult(), nullptr);
    EXPECT_EQ(panel->getResults().size(), 1);
    EXPECT_EQ(panel->getSettleCountdown(), countdown - 1);

    // Analysed before a click on another key.
    std::unique_ptr<AnalysisResultIfc> late = record(panel->getTarget(), 4);
    sendMessage(panel->getKeyboard(5).getHandle(), WM_LBUTTONDOWN, 0,
                makePointLParam(5, 65)); // the C key of octave 5, below the black keys
    ASSERT_EQ(note(), 60);
    post(std::move(late));
    EXPECT_EQ(panel->getCurrentResult(), nullptr);
    EXPECT_EQ(panel->getResults().size(), 0);

    // The next result for the target is shown.
    postAt(4);
    EXPECT_NEAR(shownCents(), 4.0f, 0.01f);
}

TEST_F(MeasuringToolTest, ShownResultReachesEveryDisplay) {
    Settings("settings").writeInt("mtool", 127);
    openPanel();
    ProtocolControl& protocol = panel->getProtocolControl();
    // Record automatically, as a user who ticks "Automatic".
    click(protocol.getAutoCheck().getHandle());
    ASSERT_TRUE(protocol.isAutoRecord());
    postAt(5);
    processPostedMessages();
    const AnalysisResultIfc* shown = panel->getCurrentResult();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(panel->getDeviationControl().isBarVisible());
    EXPECT_FALSE(panel->getChartControl().curve().empty());
    EXPECT_GT(panel->getStrobeControl().getLitCount(), 0);
    EXPECT_FLOAT_EQ(DataStructure::getInstance().getProtocol().getFrequency(57),
                    shown->getFrequency());
}

TEST_F(MeasuringToolTest, ReferenceToneFollowsTheTarget) {
    openPanel();
    play(2);
    EXPECT_EQ(peakOf(play(2)), 0) << "silent before the reference tone";

    clickToggle(MeasuringTool::ToggleReferenceTone);
    const int first = panel->getReferenceTone();
    EXPECT_GT(first, 0);
    play(2); // the change sounds from the second buffer on; then the ramp
    std::vector<std::int16_t> tone = play(3);
    EXPECT_NEAR(frequencyOf(tone), 440.0, 0.2);
    EXPECT_NEAR(peakOf(tone), 5000, 2);

    // A5: the old tone fades out, a new one sounds at 880 Hz.
    sendTarget(69);
    EXPECT_GT(panel->getReferenceTone(), first);
    play(3);
    tone = play(3);
    EXPECT_NEAR(frequencyOf(tone), 880.0, 0.4);
    EXPECT_NEAR(peakOf(tone), 5000, 2) << "one tone only";

    // Off: the tone stops, and a later change of target starts nothing.
    clickToggle(MeasuringTool::ToggleReferenceTone);
    EXPECT_EQ(panel->getReferenceTone(), 0);
    play(3);
    EXPECT_EQ(peakOf(play(2)), 0);
    sendTarget(57);
    EXPECT_EQ(panel->getReferenceTone(), 0);
    play(3);
    EXPECT_EQ(peakOf(play(2)), 0);
}

TEST_F(MeasuringToolTest, ZoomChangesRulersAndStrobeSpeedWithoutALayout) {
    Settings("settings").writeInt("mtool", 127);
    openPanel();
    postAt(5);
    const StrobeControl& strobe = panel->getStrobeControl();
    auto bandMove = [&](int ticks) {
        const int before = strobe.getFirstLit();
        for (int i = 0; i < ticks; ++i) {
            sendMessage(strobe.getHandle(), WM_TIMER, 1, 0);
        }
        return ((strobe.getFirstLit() - before) % strobe.getCellCount() + strobe.getCellCount()) %
               strobe.getCellCount();
    };
    std::vector<Rect> places;
    const Window* displays[] = {&panel->getStrobeControl(), &panel->getDeviationControl(),
                                &panel->getChartControl(), &panel->getProtocolControl()};
    for (const Window* display : displays) {
        places.push_back(getWindowRect(display->getHandle()));
    }
    // Five cents: half a cell per tick, two cells zoomed.
    EXPECT_NEAR(bandMove(20), 10, 1);

    clickToggle(MeasuringTool::ToggleZoom);
    EXPECT_TRUE(panel->getConfig().zoom);
    EXPECT_TRUE(panel->getDeviationControl().getRuler().isZoomed());
    EXPECT_TRUE(panel->getChartControl().getRuler().isZoomed());
    EXPECT_NEAR(bandMove(20), 40, 1);
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(getWindowRect(displays[i]->getHandle()), places[i]) << i;
    }

    clickToggle(MeasuringTool::ToggleZoom);
    EXPECT_FALSE(panel->getDeviationControl().getRuler().isZoomed());
    EXPECT_NEAR(bandMove(20), 10, 1);
}

TEST_F(MeasuringToolTest, TogglesShowAndHideDisplaysAndAreKept) {
    openPanel();
    clickToggle(MeasuringTool::ToggleDeviation);
    EXPECT_TRUE(isWindowVisible(panel->getDeviationControl().getHandle()));
    EXPECT_EQ(getWindowRect(panel->getDeviationControl().getHandle()), (Rect{4, 108, 996, 168}));
    clickToggle(MeasuringTool::ToggleStrobe);
    EXPECT_FALSE(isWindowVisible(panel->getStrobeControl().getHandle()));
    EXPECT_EQ(getWindowRect(panel->getDeviationControl().getHandle()), (Rect{4, 74, 996, 134}));
    clickToggle(MeasuringTool::ToggleKeyboard);
    EXPECT_FALSE(isWindowVisible(panel->getKeyboard(0).getHandle()));
    clickToggle(MeasuringTool::ToggleZoom);
    closePanel();

    // Saved at the end, loaded at the next start: 115 - strobe - keyboards
    // + deviation + zoom.
    EXPECT_EQ(Settings("settings").readInt("mtool", -1), 115 - 2 - 64 + 4 + 256);
    openPanel();
    const bool checked[8] = {true, false, true, true, true, false, true, false};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(panel->getToggle(i).isChecked(), checked[i]) << i;
    }
    EXPECT_TRUE(panel->getStrobeControl().getHandle() &&
                !isWindowVisible(panel->getStrobeControl().getHandle()));
    EXPECT_TRUE(panel->getDeviationControl().getRuler().isZoomed());
}

TEST_F(MeasuringToolTest, TargetFollowsTheScaleSettings) {
    openPanel();
    postAt(1);
    ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    scales.setScale("equal", 0, 442.0f, 0.0f);
    EXPECT_FLOAT_EQ(panel->getTarget().frequency, 442.0f);
    EXPECT_FLOAT_EQ(panel->getDisplayControl().getTarget().frequency, 442.0f);
    // A result still measured against 440 Hz is not shown.
    post(record(TargetData(57, 440.0f, "A4"), 1));
    EXPECT_EQ(panel->getCurrentResult(), nullptr);
}

// Recordings measured by the standard analyzer against whatever target the
// panel holds, result by result as the analysis thread delivers them.
class MeasuredRecording {
public:
    MeasuredRecording(VirtualAudioBackend& devices, std::vector<test::Stretch> stretches)
        : recording(440.0, test::harmonicTimbre(), std::move(stretches), 3),
          capture(recording.render(44100), devices) {}

    // Plays `seconds` into the panel: one Standard result per 400 ms, measured
    // for the panel's target of that moment; after each, check().
    template <typename Check>
    void playInto(MeasuringToolTest& test, MeasuringTool& panel, double seconds, Check check) {
        MeasurementSettings settings;
        DataStructure::getInstance().getMeasurementSettings(settings);
        settings.accuracy = MeasurementSettings::Standard;
        for (int r = 0; r < static_cast<int>(seconds / 0.4); ++r) {
            const TargetData target = panel.getTarget();
            auto result = std::make_unique<AnalysisResultStd>(target, 200, 1.0f);
            for (int pass = 0; pass < 10; ++pass) {
                if (pass % 5 == 0) {
                    ASSERT_TRUE(capture.step());
                }
                analyzer.analyze(*result, *capture.driver, settings);
            }
            result->evaluate();
            wideSearch.markPlayed(*result, *capture.driver);
            result->setWindowMs(1000);
            result->setIntervalMs(400);
            test.deliver(std::move(result));
            check();
        }
    }

private:
    test::StretchedRecording recording;
    test::RecordingCapture capture;
    AnalyzerStd analyzer;
    WideSearch wideSearch;
};

// With automatic tone detection, notes played far from the target A4 (beyond
// its grid) never leave the target on a note that was not played: the search
// over the whole range names the note, and the target goes straight to it.
TEST_F(MeasuringToolTest, ToneDetectionNeverMovesToANoteNotPlayed) {
    struct Case {
        const char* name;
        double cents; // from A4
        int note;
    };
    const Case cases[] = {{"F#4", -300.0, 54}, {"C4", -900.0, 48}, {"D5", 500.0, 62}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openPanel();
        setMeasurement(1, 1);
        MeasuredRecording played(*devices, {{test::Stretch::Kind::Tone, 20.0, c.cents, true, 0.0}});
        played.playInto(*this, *panel, 16.0, [&] {
            EXPECT_TRUE(note() == 57 || note() == c.note) << "target " << note();
        });
        EXPECT_EQ(note(), c.note);
        ASSERT_NE(panel->getCurrentResult(), nullptr);
        EXPECT_TRUE(panel->getCurrentResult()->isValid());
        EXPECT_NEAR(shownCents(), 0.0f, 1.01f);
        closePanel();
    }
}

// Automatic recording keeps the A4 that was played: the D5 that follows is no
// reading of A4 and never overwrites it.
TEST_F(MeasuringToolTest, AutomaticRecordingTakesOnlyReadingsOfTheTarget) {
    for (int autoMeasure : {1, 0}) {
        SCOPED_TRACE(autoMeasure);
        openPanel();
        setMeasurement(0, autoMeasure);
        ProtocolControl& grid = panel->getProtocolControl();
        if (!grid.isAutoRecord())
            click(grid.getAutoCheck().getHandle());
        ASSERT_TRUE(grid.isAutoRecord());
        Protocol& protocol = DataStructure::getInstance().getProtocol();
        protocol.clear();
        const double d5 = 500.0 - 8.0;
        MeasuredRecording played(*devices, {{test::Stretch::Kind::Tone, 6.0, 5.0, true, 0.0},
                                            {test::Stretch::Kind::Tone, 8.0, d5, true, 0.0}});
        played.playInto(*this, *panel, 13.6, [] {});
        // Standard's reading lies between its grid's points, within a few
        // tenths of a cent of the tone (not on the grid point at +5); the
        // last window before the D5 may take its first moments and be pulled
        // by up to about two tenths, depending on where the analysis cycle
        // falls.
        const float a4 = protocol.getFrequency(57);
        EXPECT_NEAR(CentFreqCalculator::centsBetween(440.0f, a4), 5.0f, 0.25f) << a4;
        click(grid.getAutoCheck().getHandle());
        closePanel();
    }
}

// The whole road: a tone at the input, the analysis thread, the posted
// result, the displays.
TEST_F(MeasuringToolTest, MeasuresTheToneAtTheInput) {
    VirtualInputDevice a4;
    a4.pacing = VirtualInputDevice::Pacing::RealTime;
    const double hz = 440.0 * std::pow(2.0, 3.0 / 1200.0);
    a4.generator = [hz](double t) { return 0.5 * std::sin(2.0 * std::numbers::pi * hz * t); };
    devices->addInputDevice(a4);
    RealClock realTime;
    openPanel(1000, 700, &realTime);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline &&
           !(panel->getCurrentResult() && panel->getCurrentResult()->isValid() &&
             std::abs(shownCents() - 3.0f) < 0.5f)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        processPostedMessages();
    }
    ASSERT_NE(panel->getCurrentResult(), nullptr);
    EXPECT_TRUE(panel->getCurrentResult()->isValid());
    EXPECT_NEAR(shownCents(), 3.0f, 0.5f);
    EXPECT_GE(panel->getResults().size(), 1);
    panel.reset(); // stops the thread while the clock lives
}

} // namespace
} // namespace tonvela
