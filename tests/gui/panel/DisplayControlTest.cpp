#include "panel/DisplayControl.h"
#include "platform/gui/WindowTesting.h"

#include "gui/panel/PanelTestSupport.h"
#include "platform/gui/DrawingContext.h"
#include "runtime/Messages.h"
#include "support/DisplayResources.h"
#include "widgets/ResourceManager.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tonvela {
namespace {

using test::anyPixel;
using test::anyPixelOtherThan;
using test::grab;
using test::grabRepainted;
using test::recordAt;

const Colour BLACK = rgb(0, 0, 0);
const Colour RED = rgb(218, 0, 0);
const Colour GREEN = rgb(0, 218, 0);
const Colour WHITE = rgb(255, 255, 255);

// A record 3.456 cents sharp of a target chosen so that the peak lies at
// 441.52 Hz: a grid of three values 3.456 cents apart.
std::unique_ptr<AnalysisResultStd> sharpRecord() {
    const double target = 441.52 / std::pow(2.0, 3.456 / 1200.0);
    // A grid finer than a cent, whose readings show two decimals.
    return recordAt(TargetData(57, static_cast<float>(target), "A4"), 0.864f, 4);
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.setPosition(0, 0, 600, 66);
        display.setTarget(TargetData(57, 440.0f, "A4"));
        updateWindow(display.getHandle());
    }
    WindowHandle* handle() { return display.getHandle(); }
    // Leftmost column of the area with a pixel of colour, -1 if none.
    int leftmost(const Rect& area, Colour colour) {
        for (int x = area.left; x < area.right; ++x)
            for (int y = area.top; y < area.bottom; ++y)
                if (getPixel(handle(), x, y) == colour)
                    return x;
        return -1;
    }
    int textWidth(FontHandle font, const std::string& text) {
        DrawingContext dc = DrawingContext::forWindow(handle());
        dc.selectFont(font);
        return dc.measureText(text).x;
    }
    void expectSameAsPaintedWhole() {
        const auto inPlace = grab(handle());
        EXPECT_EQ(test::differences(handle(), inPlace, grabRepainted(handle())), "");
    }

    // The panel the display lives in.
    test::RecordingWindow host{800, 400};
    DisplayControl display{host.getHandle(), test::displayResources()};
};

TEST_F(DisplayTest, ColumnsWithoutResult) {
    // Target column ends at 600 / 2 - 40 = 260, the result column 122 further.
    EXPECT_EQ(getPixel(handle(), 0, 0), rgb(80, 83, 133));
    EXPECT_EQ(getPixel(handle(), 599, 65), WHITE);
    EXPECT_TRUE(anyPixel(handle(), {200, 7, 260, 39}, RED));  // "A4"
    EXPECT_TRUE(anyPixel(handle(), {200, 39, 260, 57}, RED)); // "440.00"
    EXPECT_FALSE(anyPixelOtherThan(handle(), {260, 1, 268, 39}, BLACK));
    // "-" alone in the cents column, nothing in the frequency column.
    EXPECT_TRUE(anyPixel(handle(), {360, 7, 382, 39}, GREEN));
    EXPECT_FALSE(anyPixel(handle(), {200, 7, 355, 39}, GREEN));
    EXPECT_FALSE(anyPixelOtherThan(handle(), {300, 41, 382, 58}, BLACK));
    // The units: "Cent" beside the cents, "Hz" beside both frequencies.
    EXPECT_TRUE(test::anyWhitish(handle(), {393, 17, 430, 29}));
    EXPECT_TRUE(test::anyWhitish(handle(), {393, 43, 430, 55}));
    EXPECT_TRUE(test::anyWhitish(handle(), {269, 43, 300, 55}));
    EXPECT_FALSE(test::anyWhitish(handle(), {300, 43, 382, 55}));
    EXPECT_FALSE(anyPixelOtherThan(handle(), {393, 29, 430, 40}, BLACK));
}

TEST_F(DisplayTest, ResultColumnsRightAligned) {
    const auto result = sharpRecord();
    ASSERT_EQ(result->getCentsText(), "+3.46");
    ASSERT_EQ(result->getFrequencyText(), "441.52");
    // A mark inside the target's name shows that a result redraws only its
    // own labels.
    {
        DrawingContext dc = DrawingContext::forWindow(handle());
        dc.fillSolid({250, 12, 254, 16}, rgb(0, 0, 255));
    }
    display.setResult(result.get());
    EXPECT_EQ(getPixel(handle(), 251, 13), rgb(0, 0, 255));
    display.invalidate();
    updateWindow(handle());
    const ResourceManager& resources = test::displayResources();
    // The texts end at x = 382 and start a text width before it.
    const int cents = leftmost({250, 1, 382, 40}, GREEN);
    EXPECT_NEAR(cents, 382 - textWidth(resources.largeFont, "+3.46"), 3);
    const int frequency = leftmost({250, 40, 382, 58}, GREEN);
    EXPECT_NEAR(frequency, 382 - textWidth(resources.mediumFont, "441.52"), 3);
    EXPECT_FALSE(anyPixel(handle(), {382, 1, 392, 65}, GREEN));
    expectSameAsPaintedWhole();

    display.setResult(nullptr);
    EXPECT_FALSE(anyPixel(handle(), {250, 40, 382, 58}, GREEN));
    EXPECT_GT(leftmost({250, 1, 382, 40}, GREEN), 355);
    expectSameAsPaintedWhole();
}

TEST_F(DisplayTest, TargetRedrawnOnlyWhenItChanges) {
    // A mark inside the name's text rectangle shows whether the target labels
    // were drawn again: drawing erases the rectangle first.
    auto mark = [this] {
        DrawingContext dc = DrawingContext::forWindow(handle());
        dc.fillSolid({250, 12, 254, 16}, rgb(0, 0, 255));
    };
    mark();
    display.setTarget(TargetData(57, 440.0f, "A4"));
    EXPECT_EQ(getPixel(handle(), 251, 13), rgb(0, 0, 255));
    display.setTarget(TargetData(57, 441.0f, "A4"));
    EXPECT_NE(getPixel(handle(), 251, 13), rgb(0, 0, 255));
    EXPECT_EQ(display.getTarget().frequency, 441.0f);
    mark();
    display.setTarget(TargetData(58, 441.0f, "A4"));
    EXPECT_NE(getPixel(handle(), 251, 13), rgb(0, 0, 255));
    EXPECT_EQ(display.getTarget().note, 58);
}

TEST_F(DisplayTest, UpdatedInPlaceEqualsPaintedWhole) {
    std::vector<std::unique_ptr<AnalysisResultStd>> kept;
    kept.push_back(sharpRecord());
    for (int cents : {0, -100, 12, -3, 100})
        kept.push_back(test::centsRecord(cents));
    kept.push_back(recordAt(TargetData(0, 16.351599f, "C0"), 1.0f, -37));
    kept.push_back(recordAt(TargetData(95, 3951.0664f, "B7"), 0.5f, 7, 400));
    const TargetData targets[] = {{57, 441.0f, "A4"},
                                  {0, 16.351599f, "C0"},
                                  {95, 3951.0664f, "B7"},
                                  {61, 554.36523f, "C#5"},
                                  {58, 466.16376f, "A#4"}};
    for (int width : {600, 330}) {
        SCOPED_TRACE(width);
        display.setPosition(0, 0, width, 66);
        updateWindow(handle());
        for (std::size_t i = 0; i < 12; ++i) {
            SCOPED_TRACE(i);
            if (i % 4 == 3)
                display.setResult(nullptr);
            else
                display.setResult(kept[i % kept.size()].get());
            if (i % 3 == 0)
                display.setTarget(targets[i % 5]);
            expectSameAsPaintedWhole();
        }
    }
}

} // namespace
} // namespace tonvela
