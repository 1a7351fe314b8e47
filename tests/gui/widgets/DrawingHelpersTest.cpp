#include "gui/GuiTestSupport.h"
#include "platform/gui/WindowTesting.h"

#include "widgets/DrawingHelpers.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

using test::allPixels;
using test::countPixels;
using test::RecordingWindow;

constexpr Colour Black = rgb(0, 0, 0);
constexpr Colour Blue = rgb(26, 35, 156);
constexpr Colour Light = rgb(80, 83, 133);
constexpr Colour White = rgb(255, 255, 255);
constexpr Colour Red = rgb(255, 0, 0);

struct HelpersFixture : ::testing::Test {
    RecordingWindow parent;
    Window canvas{"", "", WS_CHILD | WS_VISIBLE, parent.getHandle()};
    WindowHandle* h = nullptr;

    void SetUp() override {
        canvas.setPosition(0, 0, 100, 60);
        h = canvas.getHandle();
        DrawingContext dc = DrawingContext::forWindow(h);
        dc.fillSolid(dc.clientRect(), Black);
    }
};

TEST_F(HelpersFixture, FillMarginsSkipsASideOfZeroThickness) {
    {
        DrawingContext dc = DrawingContext::forWindow(h);
        fillMargins(dc, {10, 10, 90, 50}, 3, 0, 2, 4, Red);
        EXPECT_EQ(dc.getBackgroundColour(), Red);
    }
    EXPECT_TRUE(allPixels(h, {10, 10, 90, 13}, Red));    // top
    EXPECT_EQ(countPixels(h, {10, 13, 11, 48}, Red), 0); // no left strip
    EXPECT_TRUE(allPixels(h, {86, 13, 90, 50}, Red));    // right, below the top
    EXPECT_TRUE(allPixels(h, {10, 48, 86, 50}, Red));    // bottom, between the sides
    EXPECT_EQ(countPixels(h, {0, 0, 100, 60}, Red), 80 * 3 + 4 * 37 + 76 * 2);
}

TEST_F(HelpersFixture, FrameAndOutlineAreOnePixelLines) {
    {
        DrawingContext dc = DrawingContext::forWindow(h);
        drawFrame(dc, {0, 0, 100, 60}, Light, White);
        drawOutline(dc, 20, 20, 10, 8, Red);
    }
    EXPECT_TRUE(allPixels(h, {0, 0, 100, 1}, Light));   // top, whole width
    EXPECT_TRUE(allPixels(h, {0, 1, 1, 60}, Light));    // left, down to the bottom
    EXPECT_TRUE(allPixels(h, {99, 1, 100, 60}, White)); // right
    EXPECT_TRUE(allPixels(h, {1, 59, 99, 60}, White));  // bottom between the sides
    EXPECT_TRUE(allPixels(h, {1, 1, 99, 20}, Black));   // interior untouched
    EXPECT_EQ(countPixels(h, {20, 20, 30, 28}, Red), 2 * 10 + 2 * 6);
    EXPECT_TRUE(allPixels(h, {21, 21, 29, 27}, Black));
}

TEST_F(HelpersFixture, FilledFrameFillsInsideTheLines) {
    {
        DrawingContext dc = DrawingContext::forWindow(h);
        drawFilledFrame(dc, {10, 10, 20, 40}, Light, White, Blue);
        fillBox(dc, 50, 10, 5, 6, Red);
    }
    EXPECT_TRUE(allPixels(h, {11, 11, 19, 39}, Blue));
    EXPECT_EQ(getPixel(h, 10, 39), Light);
    EXPECT_EQ(getPixel(h, 19, 10), Light);
    EXPECT_EQ(getPixel(h, 19, 11), White);
    EXPECT_EQ(countPixels(h, {0, 0, 100, 60}, Red), 30);
    EXPECT_TRUE(allPixels(h, {50, 10, 55, 16}, Red));
}

TEST_F(HelpersFixture, TextHelpersCentreOrLeftAlignInTheBox) {
    {
        DrawingContext dc = DrawingContext::forWindow(h);
        dc.setBackgroundMode(BackgroundMode::Transparent);
        dc.setTextColour(White);
        drawTextLeft(dc, "E", 10, 0, 40, 30);
        drawTextCentered(dc, "E", 50, 30, 50, 30);
    }
    int leftInk = 100, centredLeft = 100, centredRight = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (getPixel(h, x, y) == Black) {
                continue;
            }
            if (y < 30) {
                leftInk = std::min(leftInk, x);
            } else {
                centredLeft = std::min(centredLeft, x);
                centredRight = std::max(centredRight, x + 1);
            }
        }
    }
    EXPECT_GE(leftInk, 10);
    EXPECT_LE(leftInk, 12);
    EXPECT_NEAR((centredLeft + centredRight) / 2.0, 75.0, 1.5);
}

} // namespace
} // namespace tonvela
