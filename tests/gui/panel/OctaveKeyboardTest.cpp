#include "panel/OctaveKeyboard.h"
#include "platform/gui/WindowTesting.h"

#include "DisplayPixels.h"
#include "gui/GuiTestSupport.h"
#include "platform/gui/QtBridge.h"
#include "support/DisplayResources.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace tonvela {
namespace {

using test::allPixelsOf;
using test::PaintCounting;
using test::pixelDifferences;
using test::RecordingWindow;

constexpr Colour black = rgb(0, 0, 0);
constexpr Colour white = rgb(255, 255, 255);
constexpr Colour tinted = rgb(219, 220, 255);
constexpr Colour red = rgb(224, 0, 0);
constexpr Colour panelBlue = rgb(142, 147, 245);

struct KeyboardFixture : ::testing::Test {
    RecordingWindow parent{800, 400};
    PaintCounting<OctaveKeyboard> keyboard{parent.getHandle(), test::displayResources()};

    void place(int octave, int width = 280, int height = 60) {
        keyboard.octave = octave;
        keyboard.setPosition(0, 0, width, height);
        updateWindow(keyboard.getHandle());
        parent.clear();
    }
    Colour at(int x, int y) { return getPixel(keyboard.getHandle(), x, y); }
    void click(int x, int y) {
        sendMessage(keyboard.getHandle(), WM_LBUTTONDOWN, 0, makePointLParam(x, y));
    }
    std::vector<WParam> targetNotes() {
        std::vector<WParam> notes;
        for (const test::SentMessage& m : parent.messages(WM_TARGET_NOTE)) {
            notes.push_back(m.wParam);
        }
        return notes;
    }
};

TEST_F(KeyboardFixture, KeyGeometryOf280By60) {
    const OctaveKeyboard::Geometry g = OctaveKeyboard::computeGeometry(280, 60, 15);
    EXPECT_EQ(g.keyAreaHeight, 45);
    EXPECT_EQ(g.blackKeyHeight, 25);
    const int widths[7] = {38, 39, 39, 39, 39, 39, 39};
    const int lefts[7] = {1, 40, 80, 120, 160, 200, 240};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(g.whiteWidth[i], widths[i]) << i;
        EXPECT_EQ(g.whiteLeft[i], lefts[i]) << i;
    }
}

TEST_F(KeyboardFixture, PaintedKeysLinesAndLabelStrip) {
    place(1);
    EXPECT_EQ(keyboard.keyAreaHeight, 45);
    EXPECT_EQ(keyboard.blackKeyHeight, 25);
    // Outline: top, left, right edge after B, bottom of the key area.
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {0, 0, 280, 1}, black));
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {0, 1, 1, 45}, black));
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {279, 1, 280, 45}, black));
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {0, 45, 280, 46}, black));
    // The E|F separator runs the full height; C|D only under the black key.
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {119, 1, 120, 45}, black));
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {39, 25, 40, 45}, black));
    // C# spans 36..42 (half width 3), from y 1 to 24.
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {36, 1, 43, 25}, black));
    EXPECT_EQ(at(35, 10), white);
    EXPECT_EQ(at(43, 10), white);
    EXPECT_EQ(at(36, 25), white); // under C#: C's lower part
    // White keys of an odd octave are white, full width in the lower part.
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {1, 25, 39, 45}, white));
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {240, 25, 279, 45}, white));
    // The strip under the keys in the panel colour, with the octave number.
    EXPECT_EQ(at(5, 52), panelBlue);
    EXPECT_EQ(at(274, 58), panelBlue);
    EXPECT_LT(test::countPixels(keyboard.getHandle(), {130, 46, 150, 60}, panelBlue), 20 * 14 - 5);
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {0, 46, 120, 60}, panelBlue));
}

TEST_F(KeyboardFixture, EvenOctavesHaveTintedWhiteKeys) {
    place(4);
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {1, 25, 39, 45}, tinted));
    EXPECT_EQ(at(100, 10), tinted); // E, upper part
}

TEST_F(KeyboardFixture, HitTestChoosesKeysBySevenths) {
    struct Case {
        int x, y, key;
    };
    const Case cases[] = {
        {0, 0, 1},     // upper-left corner of C: C#
        {100, 40, 4},  // lower part of E
        {120, 10, -1}, // black-key zone between E and F
        {100, 10, -1}, {139, 25, -1}, {5, 26, 0},    {45, 40, 2},  {150, 30, 5},
        {190, 50, 7},  {230, 44, 9},  {279, 59, 11}, {59, 10, 1},  {60, 10, 3},
        {99, 10, 3},   {140, 0, 6},   {179, 10, 6},  {180, 10, 8}, {219, 10, 8},
        {220, 10, 10}, {259, 25, 10}, {260, 10, -1}, {279, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OctaveKeyboard::hitTest(c.x, c.y, 280, 25), c.key) << c.x << "," << c.y;
    }
}

TEST_F(KeyboardFixture, ClickHighlightsTheKeyAndSendsItsNote) {
    place(3);
    click(0, 0);
    EXPECT_EQ(keyboard.getHighlight(), 1);
    EXPECT_EQ(at(40, 10), red);
    click(100, 40);
    EXPECT_EQ(keyboard.getHighlight(), 4);
    EXPECT_EQ(at(40, 10), black); // C# back to black
    EXPECT_EQ(at(100, 40), red);
    click(120, 10); // between E and F: nothing
    EXPECT_EQ(keyboard.getHighlight(), 4);
    click(100, 40); // the same key again: no change, no message
    EXPECT_EQ(targetNotes(), (std::vector<WParam>{37, 40}));
}

TEST_F(KeyboardFixture, RealMouseClickReachesTheKeyboard) {
    place(5);
    QTest::mouseClick(widgetOf(keyboard.getHandle()), Qt::LeftButton, Qt::NoModifier,
                      QPoint(230, 40));
    EXPECT_EQ(keyboard.getHighlight(), 9);
    EXPECT_EQ(targetNotes(), (std::vector<WParam>{69}));
}

TEST_F(KeyboardFixture, HighlightIsClampedAndMinusOneSendsNothing) {
    place(2);
    keyboard.setHighlight(12);
    EXPECT_EQ(keyboard.getHighlight(), 11);
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {243, 1, 279, 25}, red));
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {240, 25, 279, 45}, red));
    EXPECT_EQ(at(237, 10), black); // A# stays black
    keyboard.setHighlight(-7);
    EXPECT_EQ(keyboard.getHighlight(), -1);
    EXPECT_TRUE(test::allPixels(keyboard.getHandle(), {240, 25, 279, 45}, tinted));
    EXPECT_EQ(targetNotes(), (std::vector<WParam>{35}));
}

TEST_F(KeyboardFixture, HighlightInPlaceEqualsPaintedWhole) {
    place(6, 301, 71);
    keyboard.blackKeyHalfWidth = 5;
    invalidateRect(keyboard.getHandle());
    updateWindow(keyboard.getHandle());
    const int paintsBefore = keyboard.paints;
    for (int key : {3, 0, 11, 6, -1, 8, 5}) {
        keyboard.setHighlight(key);
    }
    EXPECT_EQ(keyboard.paints, paintsBefore) << "a new highlight only asks for a repaint";
    const std::vector<Colour> inPlace = allPixelsOf(keyboard.getHandle());
    EXPECT_EQ(keyboard.paints, paintsBefore + 1);
    invalidateRect(keyboard.getHandle());
    updateWindow(keyboard.getHandle());
    EXPECT_EQ(pixelDifferences(getClientRect(keyboard.getHandle()), inPlace,
                               allPixelsOf(keyboard.getHandle())),
              "");
}

} // namespace
} // namespace tonvela
