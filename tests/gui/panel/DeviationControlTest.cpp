#include "panel/DeviationControl.h"
#include "platform/gui/WindowTesting.h"

#include "gui/panel/PanelTestSupport.h"
#include "platform/gui/DrawingContext.h"
#include "runtime/Messages.h"
#include "support/DisplayResources.h"

#include <gtest/gtest.h>

#include <set>

namespace tonvela {
namespace {

using test::centsRecord;
using test::grab;
using test::grabRepainted;

const Colour BLACK = rgb(0, 0, 0);
const Colour WHITE = rgb(255, 255, 255);
const Colour BAR_FILL = rgb(0, 196, 0);
const Colour BAR_TOP_LEFT = rgb(105, 255, 105);
const Colour BAR_BOTTOM_RIGHT = rgb(0, 117, 0);

bool whitish(Colour c) {
    return c.red > 200 && c.green > 200 && c.blue > 200;
}

class DeviationTest : public ::testing::Test {
protected:
    void place(int width) {
        deviation.setPosition(0, 0, width, 60);
        updateWindow(deviation.getHandle());
    }
    Colour pixel(int x, int y) { return getPixel(deviation.getHandle(), x, y); }
    // Columns 1 .. width-2 of a row that are white (the frame's right line is
    // white too).
    std::set<int> whiteColumns(int y) {
        std::set<int> columns;
        const int width = getClientRect(deviation.getHandle()).width();
        for (int x = 1; x < width - 1; ++x)
            if (pixel(x, y) == WHITE)
                columns.insert(x);
        return columns;
    }
    // Some label text stands above column x, within half a label's width.
    bool labelAbove(int x) {
        for (int y = 8; y < 25; ++y)
            for (int dx = -4; dx <= 4; ++dx)
                if (whitish(pixel(x + dx, y)))
                    return true;
        return false;
    }
    void expectSameAsPaintedWhole() {
        const auto inPlace = grab(deviation.getHandle());
        EXPECT_EQ(
            test::differences(deviation.getHandle(), inPlace, grabRepainted(deviation.getHandle())),
            "");
    }

    // The panel the display lives in.
    test::RecordingWindow host{800, 400};
    DeviationControl deviation{host.getHandle(), test::displayResources()};
};

TEST_F(DeviationTest, RulerAt600Pixels) {
    place(600);
    // One tick per cent, 7.5 pixels apart, up to 38 cents each side; every
    // fifth is long; labels every ten cents.
    std::set<int> all;
    std::set<int> tall;
    for (int i = 0; i <= 38; ++i) {
        for (int p : {300 + static_cast<int>(7.5f * static_cast<float>(i)),
                      300 - static_cast<int>(7.5f * static_cast<float>(i))}) {
            all.insert(p);
            if (i % 5 == 0)
                tall.insert(p);
        }
    }
    EXPECT_EQ(whiteColumns(34), all);
    EXPECT_EQ(whiteColumns(30), all);
    EXPECT_EQ(whiteColumns(29), tall);
    EXPECT_EQ(whiteColumns(25), tall);
    EXPECT_TRUE(whiteColumns(24).size() < 40); // only label text above the ticks
    EXPECT_EQ(pixel(300, 35), BLACK);
    for (int cents : {0, 10, 20, 30, -10, -20, -30})
        EXPECT_TRUE(labelAbove(300 + static_cast<int>(7.5f * static_cast<float>(cents)))) << cents;
    for (int cents : {5, 15, 25, -5, -15, -25, -35})
        EXPECT_FALSE(labelAbove(300 + static_cast<int>(7.5f * static_cast<float>(cents)))) << cents;
    // "Cent" at the right end, right of the last label.
    EXPECT_TRUE(labelAbove(585));
}

TEST_F(DeviationTest, RulerZoomedKeepsTheStepOverTwentyCents) {
    place(600);
    deviation.setZoom(true);
    updateWindow(deviation.getHandle());
    EXPECT_EQ(deviation.getRuler().tickStep(), 1);
    EXPECT_EQ(deviation.getRuler().labelInterval(), 10);
    std::set<int> all;
    for (int i = 0; i <= 9; ++i) {
        all.insert(300 + 30 * i);
        all.insert(300 - 30 * i);
    }
    EXPECT_EQ(whiteColumns(34), all);
    EXPECT_EQ(whiteColumns(29), (std::set<int>{150, 300, 450}));
    EXPECT_TRUE(labelAbove(300));
    for (int i = 1; i <= 8; ++i) {
        EXPECT_FALSE(labelAbove(300 + 30 * i)) << i;
        EXPECT_FALSE(labelAbove(300 - 30 * i)) << -i;
    }
}

TEST_F(DeviationTest, RulerTwentyPixelsWide) {
    place(20);
    EXPECT_EQ(deviation.getRuler().tickStep(), 50);
    EXPECT_EQ(whiteColumns(34), (std::set<int>{10}));
    EXPECT_EQ(whiteColumns(25), (std::set<int>{10}));
    int textPixels = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 20; ++x)
            textPixels += whitish(pixel(x, y)) ? 1 : 0;
    EXPECT_GT(textPixels, 5); // "0" and "Cent", overlapping at this width
}

TEST_F(DeviationTest, BarStopsFivePixelsFromTheEdges) {
    place(600);
    const auto sharp = centsRecord(100);
    deviation.setResult(sharp.get());
    EXPECT_EQ(deviation.getBar(), (Rect{300, 36, 595, 54}));
    EXPECT_EQ(pixel(300, 45), BAR_TOP_LEFT);
    EXPECT_EQ(pixel(301, 45), BAR_FILL);
    EXPECT_EQ(pixel(594, 45), BAR_BOTTOM_RIGHT);
    EXPECT_EQ(pixel(595, 45), BLACK);
    EXPECT_EQ(pixel(450, 36), BAR_TOP_LEFT);
    EXPECT_EQ(pixel(450, 53), BAR_BOTTOM_RIGHT);
    EXPECT_EQ(pixel(450, 54), BLACK);
    EXPECT_EQ(pixel(450, 35), BLACK);

    const auto flat = centsRecord(-100);
    deviation.setResult(flat.get());
    EXPECT_EQ(deviation.getBar(), (Rect{5, 36, 300, 54}));
    EXPECT_EQ(pixel(4, 45), BLACK);
    EXPECT_EQ(pixel(5, 45), BAR_TOP_LEFT);
    EXPECT_EQ(pixel(299, 45), BAR_BOTTOM_RIGHT);
    for (int x : {300, 301, 450, 594})
        EXPECT_EQ(pixel(x, 45), BLACK) << x;
    expectSameAsPaintedWhole();
}

TEST_F(DeviationTest, NewBarErasesOnlyWhatItDoesNotCover) {
    place(600);
    const auto twenty = centsRecord(20);
    const auto ten = centsRecord(10);
    deviation.setResult(twenty.get());
    updateWindow(deviation.getHandle());
    // Mark the part the new bar covers: a redraw of it would paint it over,
    // an erase of it would blacken it; only the strip beyond must change.
    {
        DrawingContext dc = DrawingContext::forWindow(deviation.getHandle());
        dc.fillSolid({320, 40, 330, 50}, rgb(255, 0, 255));
    }
    deviation.setResult(ten.get());
    EXPECT_EQ(deviation.getBar(), (Rect{300, 36, 375, 54}));
    EXPECT_EQ(pixel(374, 45), BAR_BOTTOM_RIGHT);
    for (int x = 375; x < 450; ++x)
        ASSERT_EQ(pixel(x, 45), BLACK) << x;
    EXPECT_EQ(pixel(325, 45), BAR_FILL); // drawn over by the new bar
    EXPECT_EQ(pixel(320, 40), BAR_FILL);
    // The ruler is not touched.
    EXPECT_EQ(pixel(375, 34), WHITE);
}

TEST_F(DeviationTest, ZeroThenFlatRemovesNothingLeftOfZero) {
    place(600);
    const auto zero = centsRecord(0);
    const auto flat = centsRecord(-2);
    deviation.setResult(zero.get());
    EXPECT_EQ(deviation.getBar(), (Rect{300, 36, 300, 54}));
    expectSameAsPaintedWhole();
    deviation.setResult(flat.get());
    // -1.99994 cents: 7.5 pixels a cent, truncated towards zero.
    EXPECT_EQ(deviation.getBar(), (Rect{286, 36, 300, 54}));
    EXPECT_EQ(pixel(285, 45), BLACK);
    EXPECT_EQ(pixel(286, 45), BAR_TOP_LEFT);
    EXPECT_EQ(pixel(292, 45), BAR_FILL);
    EXPECT_EQ(pixel(299, 45), BAR_BOTTOM_RIGHT);
    EXPECT_EQ(pixel(300, 45), BLACK);
    expectSameAsPaintedWhole();
}

TEST_F(DeviationTest, ZoomKeepsTheTicksAndStretchesTheBar) {
    place(600);
    const auto result = centsRecord(2);
    deviation.setResult(result.get());
    EXPECT_EQ(deviation.getBar().right, 315);
    const int step = deviation.getRuler().tickStep();
    deviation.setZoom(true);
    updateWindow(deviation.getHandle());
    EXPECT_EQ(deviation.getRuler().tickStep(), step);
    EXPECT_EQ(deviation.getBar().right, 360);
    EXPECT_EQ(pixel(359, 45), BAR_BOTTOM_RIGHT);
    EXPECT_EQ(pixel(360, 45), BLACK);
    deviation.setZoom(false);
    updateWindow(deviation.getHandle());
    EXPECT_EQ(pixel(314, 45), BAR_BOTTOM_RIGHT);
    EXPECT_EQ(pixel(340, 45), BLACK);
}

TEST_F(DeviationTest, UpdatedInPlaceEqualsPaintedWhole) {
    const int sequence[] = {3, 17,   4,    0,   -2, -30,  -1,  1000, 7, 0,
                            0, 1000, 1000, -60, 60, -100, 100, 2,    0, 5};
    for (int width : {600, 200, 20}) {
        SCOPED_TRACE(width);
        deviation.setResult(nullptr);
        place(width);
        std::vector<std::unique_ptr<AnalysisResultStd>> kept;
        for (int cents : sequence) {
            SCOPED_TRACE(cents);
            if (cents == 1000) {
                deviation.setResult(nullptr);
            } else {
                kept.push_back(centsRecord(cents));
                deviation.setResult(kept.back().get());
            }
            expectSameAsPaintedWhole();
        }
    }
}

TEST(Scale, PositionsAndTicks) {
    struct Case {
        int width;
        int wide;
        bool zoom;
        float cents;
        int position;
        int step;
        int interval;
    };
    const Case cases[] = {
        {600, 80, false, 0.0f, 300, 1, 10},    {600, 80, false, 10.0f, 375, 1, 10},
        {600, 80, false, -3.0f, 278, 1, 10},   {600, 80, true, 10.0f, 600, 1, 10},
        {600, 80, true, -0.5f, 285, 1, 10},    {20, 80, false, 50.0f, 22, 50, 5},
        {600, 400, false, 100.0f, 450, 5, 10}, {1200, 400, false, -50.0f, 450, 2, 10},
        {5000, 400, false, 1.0f, 2512, 1, 5},  {100, 400, false, 50.0f, 62, 50, 5},
        {1000, 80, false, 0.5f, 506, 1, 5},    {0, 80, false, 5.0f, 0, 200, 10},
    };
    for (const Case& c : cases) {
        Scale scale(test::displayResources());
        scale.setWideRange(c.wide);
        scale.setNarrowRange(c.wide / 4);
        scale.setZoom(c.zoom);
        scale.setGeometry(0, 0, c.width, 35);
        SCOPED_TRACE(::testing::Message() << c.width << " " << c.wide << " " << c.cents);
        EXPECT_EQ(scale.positionOf(c.cents), c.position);
        EXPECT_EQ(scale.tickStep(), c.step);
        EXPECT_EQ(scale.labelInterval(), c.interval);
    }
    Scale shifted(test::displayResources());
    shifted.setWideRange(80);
    shifted.setGeometry(40, 7, 600, 35);
    EXPECT_EQ(shifted.positionOf(-40.0f), 40);
    EXPECT_EQ(shifted.positionOf(1.0e30f), 340 + 1000000);
}

} // namespace
} // namespace tonvela
