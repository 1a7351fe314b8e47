#include "panel/ToneScaleControl.h"
#include "platform/gui/WindowTesting.h"

#include "DisplayPixels.h"
#include "PanelState.h"
#include "gui/GuiTestSupport.h"
#include "support/DisplayResources.h"
#include "tuning/ToneScaleCollection.h"
#include "widgets/ResourceManager.h"

#include <gtest/gtest.h>
#include <memory>

namespace tonvela {
namespace {

using test::RecordingWindow;
using test::textDifferences;

constexpr Colour black = rgb(0, 0, 0);
constexpr Colour white = rgb(255, 255, 255);
constexpr Colour red = rgb(255, 0, 0);
constexpr unsigned leftFlags = DT_VCENTER | DT_SINGLELINE;

struct ToneScaleFixture : ::testing::Test {
    test::PanelState state{Language::English};
    RecordingWindow parent{800, 400};
    std::unique_ptr<ToneScaleControl> control;

    void make(int width = 400, int height = 66) {
        control = std::make_unique<ToneScaleControl>(parent.getHandle(), scales(),
                                                     test::displayResources());
        control->setPosition(0, 0, width, height);
        updateWindow(control->getHandle());
    }
    ToneScaleCollection& scales() { return DataStructure::getInstance().getToneScales(); }
    FontHandle textFont() { return test::displayResources().getFont("Arial,15,PLAIN"); }
    std::string caption(const Rect& rect, const std::string& text) {
        return textDifferences(control->getHandle(), rect, text, textFont(), white, black,
                               leftFlags);
    }
    std::string value(const Rect& rect, const std::string& text) {
        return textDifferences(control->getHandle(), rect, text, textFont(), red, black, leftFlags);
    }
    int textWidth(const std::string& text) {
        DrawingContext dc = DrawingContext::forWindow(control->getHandle());
        dc.selectFont(textFont());
        return dc.measureText(text).x;
    }
    std::string unit(const Rect& rect, const std::string& text) {
        return textDifferences(control->getHandle(), rect, text, test::displayResources().smallFont,
                               white, black, leftFlags);
    }
};

TEST_F(ToneScaleFixture, CaptionsUnitsAndValuesInTheirPlaces) {
    scales().setScale("equal", 9, 442.5f, -1.25f);
    make(400, 66);
    EXPECT_EQ(control->textFont, textFont());
    EXPECT_EQ(control->unitFont, test::displayResources().smallFont);
    EXPECT_EQ(caption({8, 3, 78, 22}, "Temper:"), "");
    EXPECT_EQ(caption({8, 22, 78, 41}, "Keynote:"), "");
    EXPECT_EQ(caption({8, 41, 78, 60}, "Pitch (A4):"), "");
    EXPECT_EQ(caption({148, 22, 218, 41}, "Calibration:"), "");
    EXPECT_EQ(caption({148, 41, 218, 60}, "Stretch:"), "");
    // Only as far as the neighbours leave the unit alone.
    EXPECT_EQ(unit({128, 42, 146, 61}, "Hz"), "");
    EXPECT_EQ(unit({262, 23, 332, 42}, "Cent"), "");
    EXPECT_EQ(unit({262, 42, 332, 61}, "Cent"), "");
    EXPECT_EQ(value({83, 3, 398, 22}, scales().getCurrentScale()->getEnglishName()), "");
    EXPECT_EQ(value({83, 22, 143, 41}, "A"), "");
    EXPECT_EQ(value({83, 41, 127, 60}, "442.50"), "");
    EXPECT_EQ(value({223, 22, 261, 41}, "-1.250"), "");
    EXPECT_EQ(value({223, 41, 261, 60}, "0.000"), "");
    // The frame.
    EXPECT_EQ(getPixel(control->getHandle(), 0, 30), rgb(80, 83, 133));
    EXPECT_EQ(getPixel(control->getHandle(), 399, 30), white);
    EXPECT_EQ(getPixel(control->getHandle(), 200, 65), white);
}

TEST_F(ToneScaleFixture, RepaintsWhenTheScaleSettingsChange) {
    make();
    EXPECT_EQ(value({83, 41, 127, 60}, "440.00"), "");
    scales().setScale("equal", 0, 415.0f, 0.0f);
    EXPECT_EQ(value({83, 41, 127, 60}, "415.00"), "");
}

TEST_F(ToneScaleFixture, GermanCaptionsAndTemperamentName) {
    state.setLanguage(Language::German);
    scales().setScale("equal", 10, 440.0f, 0.0f);
    make();
    const ToneScale* scale = scales().getCurrentScale();
    ASSERT_NE(scale->getGermanName(), scale->getEnglishName());
    EXPECT_EQ(caption({8, 3, 78, 22}, "Stimmung:"), "");
    EXPECT_EQ(caption({8, 22, 78, 41}, "Grundton:"), "");
    // "Kammerton (a4):" is wider than the English column: it stands whole,
    // and the values and everything right of them move along.
    const int pitchWidth = textWidth("Kammerton (a4):");
    ASSERT_GT(pitchWidth + 5, 75);
    const int v1 = 8 + pitchWidth + 5;
    const int shift = v1 - 83;
    EXPECT_EQ(caption({8, 41, v1, 60}, "Kammerton (a4):"), "");
    EXPECT_EQ(caption({148 + shift, 41, 218 + shift, 60}, "Streckung:"), "");
    EXPECT_EQ(value({v1, 3, 398, 22}, scale->getGermanName()), "");
    EXPECT_EQ(value({v1, 22, v1 + 60, 41}, "b"), "");
    EXPECT_EQ(unit({128 + shift, 42, 146 + shift, 61}, "Hz"), "");
}

} // namespace
} // namespace tonvela
