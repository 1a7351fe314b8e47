#include "panel/ChartControl.h"
#include "platform/gui/WindowTesting.h"

#include "DisplayPixels.h"
#include "gui/GuiTestSupport.h"
#include "platform/gui/QtBridge.h"
#include "support/DisplayResources.h"
#include "support/FakeResult.h"

#include <QImage>

#include <cmath>
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

constexpr Colour black = rgb(0, 0, 0);
constexpr Colour green = rgb(0, 255, 0);

// A result with the given levels on a grid of bins evenly spaced in cents
// around the target.
using CurveResult = test::FakeResult;

// count bins from -200 to +200 cents, all at the same level.
std::unique_ptr<CurveResult> flat(int count, float level) {
    return std::make_unique<CurveResult>(std::vector<float>(count, level), -200.0f,
                                         400.0f / float(count - 1));
}

// A bell of the given width (in bins) around bin centre over a floor.
std::unique_ptr<CurveResult> bell(int count, float centre, float width, float floor) {
    std::vector<float> levels(count);
    for (int i = 0; i < count; ++i) {
        const float d = (float(i) - centre) / width;
        levels[i] = floor + std::exp(-d * d);
    }
    return std::make_unique<CurveResult>(std::move(levels), -200.0f, 400.0f / float(count - 1));
}

struct ChartFixture : ::testing::Test {
    RecordingWindow parent{800, 400};
    PaintCounting<ChartControl> chart{parent.getHandle(), test::displayResources()};

    void place(int width, int height) {
        chart.setPosition(0, 0, width, height);
        updateWindow(chart.getHandle());
    }
    // Columns of row y that are curve-green.
    std::vector<int> greenColumns(int y) {
        std::vector<int> columns;
        const int width = getClientRect(chart.getHandle()).width();
        for (int x = 0; x < width; ++x) {
            if (getPixel(chart.getHandle(), x, y) == green) {
                columns.push_back(x);
            }
        }
        return columns;
    }
};

TEST_F(ChartFixture, LevelsAtThePeakMakeAFlatLineJustUnderTheRuler) {
    place(600, 200);
    const auto result = flat(101, 0.7f);
    chart.setResult(result.get());

    // Across the plot area, whose clip keeps 5 pixels from the sides.
    std::vector<int> expected;
    for (int x = 5; x < 595; ++x) {
        expected.push_back(x);
    }
    EXPECT_EQ(greenColumns(39), expected);
    EXPECT_TRUE(greenColumns(38).empty());
    EXPECT_TRUE(greenColumns(40).empty());
    for (const Point& p : chart.curve()) {
        EXPECT_EQ(p.y, 39);
    }
    EXPECT_EQ(chart.curve().front().x, 0);  // -200 cents at the left end
    EXPECT_EQ(chart.curve().back().x, 600); // +200 cents at the right end
}

TEST_F(ChartFixture, ZeroLevelLiesTenPixelsAboveTheBottom) {
    place(600, 200);
    std::vector<float> levels(101, 0.0f);
    levels[50] = 1.0f;
    CurveResult result(levels, -200.0f, 4.0f);
    chart.setResult(&result);
    const std::vector<Point> curve = chart.curve();
    ASSERT_EQ(curve.size(), 101u);
    EXPECT_EQ(curve[0].y, 190);
    EXPECT_EQ(curve[50], (Point{300, 39}));
    EXPECT_EQ(getPixel(chart.getHandle(), 100, 190), green);
    EXPECT_EQ(getPixel(chart.getHandle(), 300, 39), green);
}

TEST_F(ChartFixture, ZoomedCurveIsCutAtTheSidesOfThePlotArea) {
    place(600, 200);
    chart.setZoom(true);
    updateWindow(chart.getHandle());
    // Bins beyond +-50 cents fall far outside the 600 pixels.
    const auto result = flat(401, 1.0f);
    chart.setResult(result.get());
    EXPECT_EQ(chart.curve().front().x, 300 - 1200);
    EXPECT_EQ(chart.curve().back().x, 300 + 1200);
    const std::vector<int> row = greenColumns(39);
    ASSERT_FALSE(row.empty());
    EXPECT_EQ(row.front(), 5);
    EXPECT_EQ(row.back(), 594);
    // Nothing green beside the plot area, in the ruler or on the bottom frame.
    for (int y = 0; y < 200; ++y) {
        for (int x : {1, 2, 3, 4, 595, 596, 597, 598}) {
            EXPECT_NE(getPixel(chart.getHandle(), x, y), green) << x << "," << y;
        }
    }
    for (int y : {0, 20, 37, 199}) {
        EXPECT_TRUE(greenColumns(y).empty()) << y;
    }
}

TEST_F(ChartFixture, ZoomMapsTheSameBinsFourTimesWider) {
    place(600, 200);
    const auto result = bell(101, 52.0f, 2.0f, 0.1f);
    chart.setResult(result.get());
    const Point wide = chart.curve()[55];
    chart.setZoom(true);
    const Point narrow = chart.curve()[55];
    EXPECT_EQ(wide.x, 300 + 30);    // 20 cents of 400 over 600 pixels
    EXPECT_EQ(narrow.x, 300 + 120); // 20 cents of 100
    EXPECT_EQ(narrow.y, wide.y);
}

TEST_F(ChartFixture, UpdatedInPlaceEqualsPaintedWhole) {
    place(600, 200);
    // Curves that cross each other, with fewer and more bins, and a gap
    // without a result.
    std::vector<std::unique_ptr<CurveResult>> results;
    results.push_back(bell(101, 50.0f, 3.0f, 0.05f));
    results.push_back(bell(101, 58.0f, 1.5f, 0.3f));
    results.push_back(bell(61, 20.0f, 4.0f, 0.0f));
    results.push_back(bell(201, 120.0f, 2.5f, 0.2f));
    results.push_back(nullptr);
    results.push_back(flat(81, 0.5f));
    results.push_back(bell(151, 70.0f, 5.0f, 0.1f));

    const int paintsBefore = chart.paints;
    for (const auto& result : results) {
        chart.setResult(result.get());
    }
    EXPECT_EQ(chart.paints, paintsBefore) << "a new result only asks for a repaint";
    const std::vector<Colour> inPlace = allPixelsOf(chart.getHandle());
    EXPECT_EQ(chart.paints, paintsBefore + 1) << "the results' repaints come as one";

    invalidateRect(chart.getHandle());
    updateWindow(chart.getHandle());
    EXPECT_EQ(chart.paints, paintsBefore + 2);
    const std::vector<Colour> whole = allPixelsOf(chart.getHandle());
    EXPECT_EQ(pixelDifferences(getClientRect(chart.getHandle()), inPlace, whole), "");
}

TEST_F(ChartFixture, UpdatedInPlaceEqualsPaintedWholeAtPixelRatio2) {
    setWindowPixelRatio(chart.getHandle(), 2.0);
    place(500, 160);
    std::vector<std::unique_ptr<CurveResult>> results;
    results.push_back(bell(101, 50.0f, 3.0f, 0.05f));
    results.push_back(bell(121, 66.0f, 1.5f, 0.3f));
    results.push_back(bell(101, 44.0f, 6.0f, 0.1f));
    for (const auto& result : results) {
        chart.setResult(result.get());
    }
    const QImage inPlace = *backBuffer(chart.getHandle());
    EXPECT_EQ(inPlace.devicePixelRatio(), 2.0);
    EXPECT_EQ(inPlace.width(), 1000);
    invalidateRect(chart.getHandle());
    updateWindow(chart.getHandle());
    EXPECT_TRUE(inPlace == *backBuffer(chart.getHandle()));
}

TEST_F(ChartFixture, NoResultLeavesAnEmptyPlot) {
    place(400, 150);
    const auto result = bell(101, 50.0f, 3.0f, 0.05f);
    chart.setResult(result.get());
    EXPECT_FALSE(greenColumns(39).empty());
    chart.setResult(nullptr);
    EXPECT_TRUE(chart.curve().empty());
    for (int y = 38; y < 149; ++y) {
        EXPECT_TRUE(greenColumns(y).empty()) << y;
    }
    // The frame: dark top and left, white bottom and right.
    EXPECT_EQ(getPixel(chart.getHandle(), 0, 100), rgb(80, 83, 133));
    EXPECT_EQ(getPixel(chart.getHandle(), 399, 100), rgb(255, 255, 255));
    EXPECT_EQ(getPixel(chart.getHandle(), 200, 149), rgb(255, 255, 255));
}

TEST_F(ChartFixture, SilentRecordLiesOnTheZeroLine) {
    place(400, 150);
    const auto silent = flat(101, 0.0f);
    chart.setResult(silent.get());
    for (const Point& p : chart.curve()) {
        EXPECT_EQ(p.y, 140);
    }
    std::vector<int> expected;
    for (int x = 5; x < 395; ++x) {
        expected.push_back(x);
    }
    EXPECT_EQ(greenColumns(140), expected);
}

} // namespace
} // namespace tonvela
