#include "panel/ProtocolControl.h"
#include "platform/gui/WindowTesting.h"

#include "DisplayPixels.h"
#include "PanelState.h"
#include "gui/GuiTestSupport.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/QtBridge.h"
#include "support/DisplayResources.h"
#include "support/FakeResult.h"
#include "tuning/ToneScaleCollection.h"
#include "widgets/ResourceManager.h"

#include <QTest>
#include <QWidget>

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tonvela {
namespace {

using test::allPixelsOf;
using test::PaintCounting;
using test::pixelDifferences;
using test::RecordingWindow;
using test::textDifferences;

constexpr Colour black = rgb(0, 0, 0);
constexpr Colour sharpBlue = rgb(0, 14, 51);
constexpr Colour gridBlue = rgb(26, 35, 156);
constexpr Colour outlineRed = rgb(255, 0, 0);
constexpr Colour valueGreen = rgb(0, 255, 0);
constexpr unsigned centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// A result of a given frequency measured against a given note.
test::FakeResult fixedResult(int note, float frequency) {
    test::FakeResult result;
    result.target = TargetData(note, 0.0f, "");
    result.frequency = frequency;
    return result;
}

struct ProtocolFixture : ::testing::Test {
    test::PanelState state{Language::English};
    RecordingWindow parent{800, 500};
    TargetData target{57, 440.0f, "A4"};
    std::unique_ptr<PaintCounting<ProtocolControl>> control;

    void TearDown() override { setMessageBoxAnswer(nullptr); }

    void make(int width = 600, int height = 300) {
        control = std::make_unique<PaintCounting<ProtocolControl>>(
            parent.getHandle(), protocol(), scales(), test::displayResources());
        control->setTarget(target);
        control->setPosition(0, 0, width, height);
        control->targetChanged();
        updateWindow(control->getHandle());
        parent.clear();
    }
    Protocol& protocol() { return DataStructure::getInstance().getProtocol(); }
    ToneScaleCollection& scales() { return DataStructure::getInstance().getToneScales(); }
    void click(int x, int y) {
        sendMessage(control->getHandle(), WM_LBUTTONDOWN, 0, makePointLParam(x, y));
    }
    void clickButton(const Window& button) {
        QTest::mouseClick(widgetOf(button.getHandle()), Qt::LeftButton, Qt::NoModifier,
                          QPoint(10, 12));
    }
    std::vector<WParam> targetNotes() {
        std::vector<WParam> notes;
        for (const test::SentMessage& m : parent.messages(WM_TARGET_NOTE)) {
            notes.push_back(m.wParam);
        }
        return notes;
    }
    // The cell of note shows exactly text.
    std::string cellText(int note, const std::string& text) {
        const Rect cell = control->cellRect(note);
        const int column = note % 12;
        const bool sharp = column == 1 || column == 3 || column == 6 || column == 8 || column == 10;
        return textDifferences(control->getHandle(), cell, text, control->getValueFont(),
                               valueGreen, sharp ? sharpBlue : black, centred);
    }
};

TEST(ProtocolMessages, Values) {
    EXPECT_EQ(WM_PROTOCOL_RESET, 0x466u);
    EXPECT_EQ(WM_PROTOCOL_ENTRY, 0x467u);
}

TEST_F(ProtocolFixture, GeometryFontsAndButtonsOf600By300) {
    make(600, 300);
    EXPECT_EQ(control->labelColumnWidth, 19);
    EXPECT_EQ(control->cellWidth, 47);
    EXPECT_EQ(control->gridWidth, 583);
    EXPECT_EQ(control->gridLeft, 8);
    EXPECT_EQ(control->rowHeight, 28);
    EXPECT_EQ(control->gridTop, 8);
    const ResourceManager& resources = test::displayResources();
    EXPECT_EQ(control->getHeaderFont(), resources.getFont("Arial,14,BOLD"));
    EXPECT_EQ(control->getValueFont(), resources.getFont("Arial,14,PLAIN"));
    EXPECT_EQ(getWindowRect(control->getAutoCheck().getHandle()), (Rect{294, 271, 392, 295}));
    EXPECT_EQ(getWindowRect(control->getRecordButton().getHandle()), (Rect{396, 271, 494, 295}));
    EXPECT_EQ(getWindowRect(control->getRemoveButton().getHandle()), (Rect{498, 271, 596, 295}));
    EXPECT_EQ(getWindowText(control->getAutoCheck().getHandle()), "Automatic");
    EXPECT_EQ(getWindowText(control->getRecordButton().getHandle()), "Record");
    EXPECT_EQ(getWindowText(control->getRemoveButton().getHandle()), "Remove");
    EXPECT_EQ(control->cellRect(57),
              (Rect{8 + 19 + 9 * 47 + 1, 8 + 5 * 28 + 1, 8 + 19 + 10 * 47, 8 + 6 * 28}));
}

TEST_F(ProtocolFixture, FontSizeFollowsTheCellSize) {
    struct Case {
        int cellWidth, rowHeight, size;
    };
    const Case cases[] = {{90, 31, 24}, {89, 40, 22}, {200, 30, 22}, {81, 27, 22}, {80, 27, 20},
                          {68, 23, 20}, {61, 19, 18}, {54, 17, 16},  {47, 15, 14}, {47, 14, 12},
                          {46, 20, 12}, {40, 13, 12}, {39, 40, 10},  {100, 12, 10}};
    for (const Case& c : cases) {
        EXPECT_EQ(ProtocolControl::fontSizeFor(c.cellWidth, c.rowHeight), c.size)
            << c.cellWidth << "x" << c.rowHeight;
    }
}

TEST_F(ProtocolFixture, GridLinesCellColoursAndTargetOutline) {
    make(600, 300);
    WindowHandle* h = control->getHandle();
    // The header row's top line runs over the note columns only.
    EXPECT_EQ(getPixel(h, 20, 8), black);
    EXPECT_EQ(getPixel(h, 30, 8), gridBlue);
    EXPECT_EQ(getPixel(h, 8, 8 + 28 + 5), gridBlue); // left line from the first octave row
    EXPECT_EQ(getPixel(h, 8, 8 + 5), black);         // but not beside the header
    EXPECT_EQ(getPixel(h, 591, 250), gridBlue);      // last column line
    EXPECT_EQ(getPixel(h, 592, 250), black);
    EXPECT_EQ(getPixel(h, 300, 260), gridBlue); // the bottom line
    // Sharp columns are dark blue, natural ones black.
    const Rect cSharp = control->cellRect(13);
    const Rect d = control->cellRect(14);
    EXPECT_TRUE(
        test::allPixels(h, {cSharp.left, cSharp.top, cSharp.left + 5, cSharp.top + 5}, sharpBlue));
    EXPECT_TRUE(test::allPixels(h, {d.left, d.top, d.left + 5, d.top + 5}, black));
    // The red outline is the grid around A4.
    const Rect a4 = control->cellRect(57);
    EXPECT_TRUE(test::allPixels(h, {a4.left - 1, a4.top - 1, a4.right + 1, a4.top}, outlineRed));
    EXPECT_TRUE(
        test::allPixels(h, {a4.left - 1, a4.bottom, a4.right + 1, a4.bottom + 1}, outlineRed));
    // The button strip in the buttons' face colour, inside the frame.
    EXPECT_EQ(getPixel(h, 100, 280), buttonFaceColour());
    EXPECT_EQ(getPixel(h, 0, 280), rgb(80, 83, 133));
    EXPECT_EQ(getPixel(h, 599, 280), rgb(255, 255, 255));
    EXPECT_EQ(getPixel(h, 300, 299), rgb(255, 255, 255));
}

TEST_F(ProtocolFixture, DeviationFollowsTheStandardPitchWithoutTouchingTheProtocol) {
    make(600, 300);
    const int paints = control->paints;
    protocol().setFrequency(57, 441.0f, true);
    EXPECT_EQ(control->paints, paints) << "an entry only asks for a repaint";
    EXPECT_EQ(cellText(57, "+3.93"), "");

    scales().setScale("equal", 0, 441.0f, 0.0f);
    EXPECT_EQ(cellText(57, "0.00"), "");
    EXPECT_EQ(protocol().getFrequency(57), 441.0f);
    EXPECT_GT(control->paints, paints);
}

TEST_F(ProtocolFixture, RemovedEntryLeavesAnEmptyCell) {
    make(600, 300);
    protocol().setFrequency(50, 300.0f, true);
    const Rect cell = control->cellRect(50);
    EXPECT_GT(test::countPixels(control->getHandle(), cell, black), 0);
    EXPECT_LT(test::countPixels(control->getHandle(), cell, black), cell.width() * cell.height());
    protocol().setFrequency(50, 0.0f, true);
    EXPECT_TRUE(test::allPixels(control->getHandle(), cell, black));
}

TEST_F(ProtocolFixture, ClickInACellChoosesItsNote) {
    make(600, 300);
    struct Case {
        int x, y, note;
    };
    const Case cases[] = {
        {27 + 9 * 47 + 20, 8 + 5 * 28 + 10, 57}, // column 9, octave row 4
        {27 + 9 * 47 + 20, 8 + 10, -1},          // the header row
        {15, 8 + 5 * 28 + 10, -1},               // octave label
        {3, 3, -1},                              // margin
        {27, 8 + 28, 0},                         // the first cell's corner
        {27 + 12 * 47 - 1, 8 + 9 * 28 - 1, 95},  // the last cell's corner
        {27 + 12 * 47, 100, -1},                 // right of the grid
        {300, 8 + 9 * 28, -1},                   // below the grid
    };
    for (const Case& c : cases) {
        EXPECT_EQ(control->hitTest(c.x, c.y), c.note) << c.x << "," << c.y;
    }
    click(27 + 9 * 47 + 20, 8 + 5 * 28 + 10);
    click(27 + 9 * 47 + 20, 8 + 10);
    click(15, 150);
    EXPECT_EQ(targetNotes(), (std::vector<WParam>{57}));
}

TEST_F(ProtocolFixture, OutlineFollowsTheTarget) {
    make(600, 300);
    WindowHandle* h = control->getHandle();
    const Rect a4 = control->cellRect(57);
    target.setNote(58);
    control->targetChanged();
    const Rect b4 = control->cellRect(58);
    EXPECT_EQ(control->getOutlinedNote(), 58);
    EXPECT_EQ(getPixel(h, a4.left + 5, a4.top - 1), gridBlue);
    EXPECT_EQ(getPixel(h, b4.left + 5, b4.top - 1), outlineRed);
    // The line the two cells share stays red: it belongs to the new outline.
    EXPECT_EQ(getPixel(h, b4.left - 1, b4.top + 5), outlineRed);
    EXPECT_EQ(getPixel(h, a4.left - 1, a4.top + 5), gridBlue);
}

TEST_F(ProtocolFixture, CellsAndOutlineInPlaceEqualPaintedWhole) {
    make(640, 330);
    const int paints = control->paints;
    const float entries[][2] = {{57, 441.0f}, {45, 219.0f}, {0, 16.4f},  {95, 3951.0f},
                                {58, 466.0f}, {45, 0.0f},   {60, 524.0f}};
    for (const auto& e : entries) {
        protocol().setFrequency(int(e[0]), e[1], true);
    }
    for (int note : {58, 59, 47, 46, 0}) {
        target.setNote(note);
        control->targetChanged();
    }
    EXPECT_EQ(control->paints, paints);
    const std::vector<Colour> inPlace = allPixelsOf(control->getHandle());
    invalidateRect(control->getHandle());
    updateWindow(control->getHandle());
    EXPECT_EQ(pixelDifferences(getClientRect(control->getHandle()), inPlace,
                               allPixelsOf(control->getHandle())),
              "");
}

TEST_F(ProtocolFixture, RecordRemoveAndAutomatic) {
    make(600, 300);
    clickButton(control->getRecordButton()); // no result: nothing
    EXPECT_EQ(protocol().getFrequency(57), 0.0f);

    const test::FakeResult shown = fixedResult(57, 442.0f);
    control->setResult(&shown); // not automatic: nothing yet
    EXPECT_EQ(protocol().getFrequency(57), 0.0f);
    clickButton(control->getRecordButton());
    EXPECT_EQ(protocol().getFrequency(57), 442.0f);
    clickButton(control->getRemoveButton());
    EXPECT_EQ(protocol().getFrequency(57), 0.0f);

    clickButton(control->getAutoCheck());
    EXPECT_TRUE(control->isAutoRecord());
    const test::FakeResult other =
        fixedResult(40, 330.0f); // recorded for the note it was measured against
    control->setResult(&other);
    EXPECT_EQ(protocol().getFrequency(40), 330.0f);
    control->setResult(nullptr);
    clickButton(control->getRecordButton()); // the result is gone
    EXPECT_EQ(protocol().getFrequency(57), 0.0f);
}

TEST_F(ProtocolFixture, AutomaticSurvivesARestart) {
    make();
    EXPECT_FALSE(control->isAutoRecord());
    EXPECT_FALSE(control->getAutoCheck().isChecked());
    clickButton(control->getAutoCheck());
    EXPECT_TRUE(control->isAutoRecord());
    control.reset();
    EXPECT_EQ(Settings("settings").readInt("protocol", -1), 1);

    make();
    EXPECT_TRUE(control->isAutoRecord());
    EXPECT_TRUE(control->getAutoCheck().isChecked());
    clickButton(control->getAutoCheck());
    control.reset();
    EXPECT_EQ(Settings("settings").readInt("protocol", -1), 0);

    // Only bit 0 counts.
    Settings("settings").writeInt("protocol", 3);
    make();
    EXPECT_TRUE(control->isAutoRecord());
    control.reset();
    Settings("settings").writeInt("protocol", 2);
    make();
    EXPECT_FALSE(control->isAutoRecord());
}

TEST_F(ProtocolFixture, ClearQuestionClearsOnlyOnOk) {
    make();
    protocol().setFrequency(57, 441.0f, true);
    std::vector<std::string> asked;
    int answer = IDCANCEL;
    setMessageBoxAnswer([&](const std::string& text, const std::string& caption, unsigned type) {
        asked.push_back(caption + "|" + text);
        EXPECT_EQ(type, MB_OKCANCEL | MB_ICONQUESTION);
        return answer;
    });
    control->confirmClear();
    EXPECT_EQ(protocol().getFrequency(57), 441.0f);
    answer = IDOK;
    control->confirmClear();
    EXPECT_EQ(protocol().getFrequency(57), 0.0f);
    EXPECT_EQ(asked, (std::vector<std::string>(
                         2, "Clear Protocol|Do you want to clear all entries of the protocol?")));
}

TEST_F(ProtocolFixture, GermanCaptionsAndQuestion) {
    state.setLanguage(Language::German);
    make();
    EXPECT_EQ(getWindowText(control->getAutoCheck().getHandle()), "Automatisch");
    EXPECT_EQ(getWindowText(control->getRecordButton().getHandle()), "Protokollieren");
    EXPECT_EQ(getWindowText(control->getRemoveButton().getHandle()), "Entfernen");
    // The captions stand whole: each control as wide as it needs, the row
    // still 4 pixels apart and 4 pixels from the right edge.
    int right = 596;
    for (const Window* button : {static_cast<const Window*>(&control->getRemoveButton()),
                                 static_cast<const Window*>(&control->getRecordButton()),
                                 static_cast<const Window*>(&control->getAutoCheck())}) {
        const Rect r = getWindowRect(button->getHandle());
        EXPECT_EQ(r.right, right) << getWindowText(button->getHandle());
        EXPECT_GE(r.width(), std::max(98, getPreferredSize(button->getHandle()).x));
        right = r.left - 4;
    }
    std::string asked;
    setMessageBoxAnswer([&](const std::string& text, const std::string& caption, unsigned) {
        asked = caption + "|" + text;
        return IDCANCEL;
    });
    control->confirmClear();
    EXPECT_EQ(asked, "Protokoll Löschen|Wollen sie alle Einträge des Protokolls löschen?");
    // The header shows the German note names: "h" over the last column.
    const Rect header{control->cellRect(11).left, 9, control->cellRect(11).right, 8 + 28};
    EXPECT_EQ(textDifferences(control->getHandle(), header, "h", control->getHeaderFont(),
                              rgb(227, 227, 227), black, centred),
              "");
}

TEST_F(ProtocolFixture, TinyControlHasNoCellsToHit) {
    make(20, 40);
    EXPECT_EQ(control->cellWidth, 0);
    EXPECT_EQ(control->hitTest(10, 10), -1);
    click(10, 10);
    EXPECT_TRUE(targetNotes().empty());
}

} // namespace
} // namespace tonvela
