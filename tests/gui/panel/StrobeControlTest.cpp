#include "panel/StrobeControl.h"
#include "platform/gui/WindowTesting.h"

#include "gui/panel/PanelTestSupport.h"
#include "platform/gui/DrawingContext.h"
#include "runtime/Messages.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

using test::centsRecord;
using test::grab;
using test::grabRepainted;

const Colour LIT_FILL = rgb(0, 196, 0);
const Colour LIT_TOP_LEFT = rgb(105, 255, 105);
const Colour LIT_BOTTOM_RIGHT = rgb(0, 117, 0);
const Colour DARK_FILL = rgb(0, 64, 0);
const Colour DARK_TOP_LEFT = rgb(1, 84, 1);
const Colour DARK_BOTTOM_RIGHT = rgb(0, 46, 0);

class StrobeTest : public ::testing::Test {
protected:
    void place(int width) {
        strobe.setPosition(0, 0, width, 30);
        updateWindow(strobe.getHandle());
    }
    void tick(int count = 1) {
        for (int i = 0; i < count; ++i)
            sendMessage(strobe.getHandle(), WM_TIMER, StrobeControl::TICK_MS);
    }
    // What the back buffer shows of cell i: lit, dark, or neither.
    bool shownLit(int i) {
        const Rect r = strobe.cellRect(i);
        const Colour fill = getPixel(strobe.getHandle(), r.left + 4, r.top + 8);
        const Colour topLeft = getPixel(strobe.getHandle(), r.left, r.top + 8);
        const Colour bottomRight = getPixel(strobe.getHandle(), r.right - 1, r.top + 8);
        if (fill == LIT_FILL && topLeft == LIT_TOP_LEFT && bottomRight == LIT_BOTTOM_RIGHT)
            return true;
        EXPECT_EQ(fill, DARK_FILL) << "cell " << i;
        EXPECT_EQ(topLeft, DARK_TOP_LEFT) << "cell " << i;
        EXPECT_EQ(bottomRight, DARK_BOTTOM_RIGHT) << "cell " << i;
        return false;
    }
    // The band as the pixels show it equals the band of the control.
    void expectBandShown() {
        for (int i = 0; i < strobe.getCellCount(); ++i)
            EXPECT_EQ(shownLit(i), strobe.isLit(i)) << "cell " << i;
    }

    // The panel the display lives in.
    test::RecordingWindow host{800, 400};
    StrobeControl strobe{host.getHandle()};
};

TEST_F(StrobeTest, CellsFollowTheWidth) {
    struct Case {
        int width;
        int cells;
        int lit;
        int firstCellX;
    };
    // 100: a = 91, and 8 cells of 11 leave 4 to centre them: the row starts
    // 5 + 2 in. Narrower than a cell: still one cell, centred.
    const Case cases[] = {{100, 8, 1, 7}, {600, 53, 10, 9}, {41, 2, 0, 10}, {4, 1, 0, -2}};
    const auto result = centsRecord(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        strobe.setResult(nullptr);
        place(c.width);
        strobe.setResult(result.get());
        updateWindow(strobe.getHandle());
        EXPECT_EQ(strobe.getCellCount(), c.cells);
        EXPECT_EQ(strobe.getLitCount(), c.lit);
        const Rect first = strobe.cellRect(0);
        EXPECT_EQ(first.left, c.firstCellX);
        EXPECT_EQ(first.top, 5);
        EXPECT_EQ(first.bottom, 25);
        EXPECT_EQ(first.width(), 10);
        if (c.cells > 1) {
            EXPECT_EQ(strobe.cellRect(1).left - first.left, 11);
        }
        if (c.width >= 41) {
            expectBandShown();
        }
    }
}

TEST_F(StrobeTest, FrameAndCellsWithoutResult) {
    place(100);
    EXPECT_EQ(getPixel(strobe.getHandle(), 0, 0), rgb(80, 83, 133));
    EXPECT_EQ(getPixel(strobe.getHandle(), 0, 29), rgb(80, 83, 133));
    EXPECT_EQ(getPixel(strobe.getHandle(), 99, 29), rgb(255, 255, 255));
    EXPECT_EQ(getPixel(strobe.getHandle(), 99, 1), rgb(255, 255, 255));
    EXPECT_EQ(getPixel(strobe.getHandle(), 3, 15), rgb(0, 0, 0));
    EXPECT_EQ(getPixel(strobe.getHandle(), 50, 26), rgb(0, 0, 0));
    EXPECT_EQ(strobe.getLitCount(), 0);
    for (int i = 0; i < strobe.getCellCount(); ++i)
        EXPECT_FALSE(shownLit(i));
    const auto before = grab(strobe.getHandle());
    tick(40);
    EXPECT_EQ(grab(strobe.getHandle()), before);
}

TEST_F(StrobeTest, FiveCentsSharpMovesOneCellEverySecondTick) {
    place(600);
    const auto result = centsRecord(5);
    strobe.setResult(result.get());
    updateWindow(strobe.getHandle());
    // Marks in the gap under the cells and on a cell far from the band: a
    // tick that repainted more than the cells that change would remove them.
    const Rect farCell = strobe.cellRect(40);
    {
        DrawingContext dc = DrawingContext::forWindow(strobe.getHandle());
        dc.fillSolid({100, 26, 104, 28}, rgb(255, 0, 255));
        dc.fillSolid({farCell.left + 2, 10, farCell.left + 4, 12}, rgb(255, 0, 255));
    }
    const int start = strobe.getFirstLit();
    for (int t = 1; t <= 12; ++t) {
        tick();
        EXPECT_EQ(strobe.getFirstLit(), (start + t / 2) % 53) << "tick " << t;
    }
    EXPECT_EQ(getPixel(strobe.getHandle(), 101, 27), rgb(255, 0, 255));
    EXPECT_EQ(getPixel(strobe.getHandle(), farCell.left + 3, 11), rgb(255, 0, 255));
    // Six cells went dark behind the band and six lit ahead of it.
    for (int i = 0; i < 53; ++i) {
        if (i != 40) {
            EXPECT_EQ(shownLit(i), strobe.isLit(i)) << "cell " << i;
        }
    }
}

TEST_F(StrobeTest, InTuneStandsStill) {
    place(600);
    const auto result = centsRecord(0);
    strobe.setResult(result.get());
    const auto before = grab(strobe.getHandle());
    const int first = strobe.getFirstLit();
    tick(100);
    EXPECT_EQ(strobe.getFirstLit(), first);
    EXPECT_EQ(grab(strobe.getHandle()), before);
}

TEST_F(StrobeTest, StepsPerTickAreLimited) {
    struct Case {
        int width;
        int cents;
        int steps; // per tick
    };
    // n = 10 per tick at 100 cents; a band of 10 moves 5, a band of 1 moves 3.
    const Case cases[] = {{600, 100, 5}, {600, -100, -5}, {100, 100, 3}, {100, -100, -3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " px, " << c.cents << " cents");
        const auto result = centsRecord(c.cents);
        strobe.setResult(nullptr);
        place(c.width);
        strobe.setResult(result.get());
        const int cells = strobe.getCellCount();
        const int first = strobe.getFirstLit();
        tick();
        EXPECT_EQ(strobe.getFirstLit(), ((first + c.steps) % cells + cells) % cells);
        tick();
        EXPECT_EQ(strobe.getFirstLit(), ((first + 2 * c.steps) % cells + cells) % cells);
        expectBandShown();
    }
}

TEST_F(StrobeTest, BandWrapsBothWays) {
    place(600);
    const auto sharp = centsRecord(100);
    strobe.setResult(sharp.get());
    updateWindow(strobe.getHandle());
    // 5 cells a tick from 0: after 10 ticks the band starts at 50 and runs
    // over the end to cell 6.
    tick(10);
    ASSERT_EQ(strobe.getFirstLit(), 50);
    for (int i : {50, 52, 0, 6})
        EXPECT_TRUE(shownLit(i)) << i;
    for (int i : {49, 7})
        EXPECT_FALSE(shownLit(i)) << i;
    expectBandShown();
    EXPECT_EQ(test::differences(strobe.getHandle(), grab(strobe.getHandle()),
                                grabRepainted(strobe.getHandle())),
              "");

    const auto flat = centsRecord(-100);
    strobe.setResult(flat.get());
    tick(11);
    EXPECT_EQ(strobe.getFirstLit(), (50 - 55 + 53) % 53);
    expectBandShown();
}

TEST_F(StrobeTest, ZoomMovesFourTimesFaster) {
    place(600);
    const auto result = centsRecord(5);
    strobe.setResult(result.get());
    strobe.setZoom(true);
    const int first = strobe.getFirstLit();
    tick();
    EXPECT_EQ(strobe.getFirstLit(), first + 2);
    strobe.setZoom(false);
    tick(2);
    EXPECT_EQ(strobe.getFirstLit(), first + 3);
}

TEST_F(StrobeTest, BandKeepsItsPlaceAcrossResults) {
    place(600);
    const auto sharp = centsRecord(100);
    const auto flat = centsRecord(-2);
    strobe.setResult(sharp.get());
    tick(3);
    EXPECT_EQ(strobe.getFirstLit(), 15);
    strobe.setResult(flat.get());
    EXPECT_EQ(strobe.getFirstLit(), 15);
    strobe.setResult(nullptr);
    updateWindow(strobe.getHandle());
    EXPECT_EQ(strobe.getLitCount(), 0);
    for (int i = 0; i < strobe.getCellCount(); ++i)
        EXPECT_FALSE(shownLit(i)) << i;
    tick(10);
    strobe.setResult(sharp.get());
    updateWindow(strobe.getHandle());
    EXPECT_EQ(strobe.getFirstLit(), 15);
    expectBandShown();
}

TEST_F(StrobeTest, UpdatedInPlaceEqualsPaintedWhole) {
    struct Step {
        int cents; // 1000 for no result
        int ticks;
        bool zoom;
    };
    const Step steps[] = {{3, 7, false},     {-7, 9, false}, {100, 12, false}, {1000, 3, false},
                          {-100, 13, false}, {2, 5, true},   {-1, 9, true},    {0, 4, false},
                          {40, 20, false},   {-60, 17, true}};
    for (int width : {600, 100, 31}) {
        SCOPED_TRACE(width);
        strobe.setResult(nullptr);
        place(width);
        std::vector<std::unique_ptr<AnalysisResultStd>> kept;
        for (const Step& s : steps) {
            SCOPED_TRACE(s.cents);
            if (s.cents == 1000) {
                strobe.setResult(nullptr);
            } else {
                kept.push_back(centsRecord(s.cents));
                strobe.setResult(kept.back().get());
            }
            strobe.setZoom(s.zoom);
            updateWindow(strobe.getHandle());
            tick(s.ticks);
            const auto inPlace = grab(strobe.getHandle());
            EXPECT_EQ(
                test::differences(strobe.getHandle(), inPlace, grabRepainted(strobe.getHandle())),
                "");
        }
    }
}

} // namespace
} // namespace tonvela
