#include "gui/GuiTestSupport.h"

#include "platform/gui/DrawingContext.h"
#include "support/DisplayResources.h"
#include "widgets/Label.h"
#include "widgets/ResourceManager.h"

#include <gtest/gtest.h>

namespace tonvela {
namespace {

using test::countPixels;
using test::RecordingWindow;

constexpr Colour Black = rgb(0, 0, 0);
constexpr Colour Green = rgb(0, 218, 0);

struct LabelFixture : ::testing::Test {
    RecordingWindow parent;
    Window canvas{"", "", WS_CHILD | WS_VISIBLE, parent.getHandle()};

    void SetUp() override {
        canvas.setPosition(0, 0, 200, 100);
        DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
        dc.fillSolid(dc.clientRect(), Black);
    }
    DrawingContext context() {
        DrawingContext dc = DrawingContext::forWindow(canvas.getHandle());
        dc.setBackgroundColour(Black);
        dc.setBackgroundMode(BackgroundMode::Transparent);
        dc.setTextColour(Green);
        return dc;
    }
    int ink(const Rect& rect) { return countPixels(canvas.getHandle(), rect, Green); }
    int inkEverywhere() { return ink({0, 0, 200, 100}); }
};

TEST_F(LabelFixture, RightBottomAnchorPutsTheTextLeftOfAndAboveThePoint) {
    Label label(test::displayResources().mediumFont);
    label.setAnchor(100, 50);
    label.setAlignment(LabelAlignment::Right, LabelAlignment::Bottom);
    DrawingContext dc = context();
    label.draw(dc, "441.52");
    const Rect r = label.getLastRect();
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 50);
    EXPECT_EQ(r.height(), 18); // mediumFont's cell
    EXPECT_GT(ink(r), 0);
    EXPECT_EQ(ink(r), inkEverywhere()); // nothing outside its rectangle
}

TEST_F(LabelFixture, ShorterTextErasesTheLongerOneFirst) {
    Label label(test::displayResources().mediumFont);
    label.setAnchor(100, 50);
    label.setAlignment(LabelAlignment::Right, LabelAlignment::Bottom);
    {
        DrawingContext dc = context();
        label.draw(dc, "-1234.56");
    }
    const Rect longer = label.getLastRect();
    {
        DrawingContext dc = context();
        label.draw(dc, "0");
    }
    const Rect shorter = label.getLastRect();
    EXPECT_EQ(shorter.right, 100);
    EXPECT_GT(shorter.left, longer.left);
    // Only the new text is left: the part of the old rectangle it does not
    // cover is background again.
    EXPECT_EQ(ink({longer.left, longer.top, shorter.left, longer.bottom}), 0);
    EXPECT_EQ(ink(shorter), inkEverywhere());
    EXPECT_GT(ink(shorter), 0);
}

TEST_F(LabelFixture, NewAnchorForgetsThePreviousText) {
    Label label(test::displayResources().mediumFont);
    label.setAnchor(20, 20);
    {
        DrawingContext dc = context();
        label.draw(dc, "A4");
    }
    const Rect first = label.getLastRect();
    EXPECT_EQ(first.left, 20); // Left/Top by default
    EXPECT_EQ(first.top, 20);
    label.setAnchor(120, 60);
    EXPECT_FALSE(label.isDrawn());
    {
        DrawingContext dc = context();
        label.draw(dc, "A4");
    }
    EXPECT_GT(ink(first), 0); // not erased: the label no longer owns it
}

TEST_F(LabelFixture, CentreAlignmentMovesByHalfTheSize) {
    Label label(test::displayResources().mediumFont);
    label.setFont(test::displayResources().largeFont);
    label.setAnchor(100, 50);
    label.setAlignment(LabelAlignment::Center, LabelAlignment::Center);
    DrawingContext dc = context();
    label.draw(dc, "C#4");
    const Rect r = label.getLastRect();
    EXPECT_EQ(r.height(), 32);
    EXPECT_EQ(r.top, 50 - 16);
    EXPECT_EQ(r.left, 100 - r.width() / 2);
    EXPECT_EQ(dc.getFont(), test::displayResources().largeFont); // stays selected
}

TEST_F(LabelFixture, UnknownAlignmentCodesMeanLeftAndTop) {
    Label label(test::displayResources().mediumFont);
    label.setAnchor(30, 40);
    label.setAlignment(LabelAlignment::Bottom, LabelAlignment::Right);
    DrawingContext dc = context();
    label.draw(dc, "Hz");
    EXPECT_EQ(label.getLastRect().left, 30);
    EXPECT_EQ(label.getLastRect().top, 40);
}

} // namespace
} // namespace tonvela
