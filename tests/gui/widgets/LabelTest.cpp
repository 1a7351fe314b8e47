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
    label.setText("441.52");
    label.draw(dc);
    const Rect r = label.getLastRect();
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 50);
    EXPECT_EQ(r.height(), 18); // mediumFont's cell
    EXPECT_GT(ink(r), 0);
    EXPECT_EQ(ink(r), inkEverywhere()); // nothing outside its rectangle
}

// The owner repaints where a text stands before and after a change: place()
// is where draw() puts the text, and the ink stays inside it.
TEST_F(LabelFixture, PlaceIsWhereTheTextIsDrawn) {
    Label label(test::displayResources().mediumFont);
    label.setAnchor(100, 50);
    label.setAlignment(LabelAlignment::Right, LabelAlignment::Bottom);
    Rect longer;
    for (const char* text : {"-1234.56", "0", ""}) {
        SCOPED_TRACE(text);
        label.setText(text);
        Rect place;
        {
            DrawingContext dc = context();
            dc.fillBackground({0, 0, 200, 100});
            place = label.place(dc);
            label.draw(dc);
        }
        EXPECT_EQ(label.getLastRect(), place);
        EXPECT_EQ(place.right, 100);
        EXPECT_EQ(place.bottom, 50);
        EXPECT_EQ(ink(place), inkEverywhere());
        if (longer.isEmpty())
            longer = place;
        else
            EXPECT_GT(place.left, longer.left);
    }
    EXPECT_EQ(inkEverywhere(), 0); // the empty text draws nothing
}

// A bold "4" reaches a pixel past its advance: the area an owner repaints
// holds every pixel the text colours, smoothed edges included.
TEST_F(LabelFixture, InkAreaHoldsEveryColouredPixel) {
    const ResourceManager& resources = test::displayResources();
    const auto coloured = [this](const Rect& rect) {
        int n = 0;
        for (const Colour c : test::pixelsOf(canvas.getHandle(), rect))
            n += c == Black ? 0 : 1;
        return n;
    };
    for (FontHandle font : {resources.largeFont, resources.mediumFont, resources.smallFont}) {
        for (const char* text : {"E4", "F#4", "+3.46", "441.52", "Cent", "Hz"}) {
            SCOPED_TRACE(text);
            Label label(font);
            label.setText(text);
            label.setAnchor(150, 60);
            label.setAlignment(LabelAlignment::Right, LabelAlignment::Bottom);
            Rect area;
            {
                DrawingContext dc = context();
                dc.fillBackground({0, 0, 200, 100});
                area = label.inkArea(dc);
                label.draw(dc);
            }
            EXPECT_GT(coloured(area), 0);
            EXPECT_EQ(coloured(area), coloured({0, 0, 200, 100}));
        }
    }
}

TEST_F(LabelFixture, NewAnchorMovesTheText) {
    Label label(test::displayResources().mediumFont);
    label.setText("A4");
    label.setAnchor(20, 20);
    {
        DrawingContext dc = context();
        label.draw(dc);
    }
    const Rect first = label.getLastRect();
    EXPECT_EQ(first.left, 20); // Left/Top by default
    EXPECT_EQ(first.top, 20);
    label.setAnchor(120, 60);
    {
        DrawingContext dc = context();
        EXPECT_EQ(label.place(dc), first.offset(100, 40));
    }
}

TEST_F(LabelFixture, CentreAlignmentMovesByHalfTheSize) {
    Label label(test::displayResources().mediumFont);
    label.setFont(test::displayResources().largeFont);
    label.setAnchor(100, 50);
    label.setAlignment(LabelAlignment::Center, LabelAlignment::Center);
    DrawingContext dc = context();
    label.setText("C#4");
    label.draw(dc);
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
    label.setText("Hz");
    label.draw(dc);
    EXPECT_EQ(label.getLastRect().left, 30);
    EXPECT_EQ(label.getLastRect().top, 40);
}

} // namespace
} // namespace tonvela
