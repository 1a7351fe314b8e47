#pragma once

#include "analysis/AnalysisResultStd.h"
#include "analysis/TargetData.h"
#include "gui/GuiTestSupport.h"
#include "platform/gui/GuiTypes.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "platform/gui/WindowTesting.h"

#include <memory>
#include <string>
#include <vector>

namespace tonvela::test {

// A standard record as the analyzer leaves it, with one clean peak steps grid
// values above the target (below for negative steps).
inline std::unique_ptr<AnalysisResultStd> recordAt(const TargetData& target, float stepCents,
                                                   int steps, int halfWidth = 200) {
    auto r = std::make_unique<AnalysisResultStd>(target, halfWidth, stepCents);
    r->addValue(halfWidth + steps, 1.0f);
    r->accumulatePass();
    r->evaluate();
    return r;
}

// Whole cents against an A4 of 441 Hz: there the cents come out a hair above
// the whole number (+5 reads 5.00015), so that two ticks of 0.5 reach one cell
// exactly as the arithmetic intends rather than one float step short.
inline std::unique_ptr<AnalysisResultStd> centsRecord(int cents) {
    return recordAt(TargetData(57, 441.0f, "A4"), 1.0f, cents);
}

// Every pixel of the window's back buffer, row by row, in logical pixels.
inline std::vector<Colour> grab(WindowHandle* hwnd) {
    return allPixelsOf(hwnd);
}

// The same window painted whole from its current state.
inline std::vector<Colour> grabRepainted(WindowHandle* hwnd) {
    invalidateRect(hwnd);
    updateWindow(hwnd);
    return grab(hwnd);
}

// Where two grabs of the same window differ, as "x,y" of the first few.
inline std::string differences(WindowHandle* hwnd, const std::vector<Colour>& a,
                               const std::vector<Colour>& b) {
    return pixelDifferences(getClientRect(hwnd), a, b);
}

// Some pixel of area (logical) has the colour.
inline bool anyPixel(WindowHandle* hwnd, const Rect& area, Colour colour) {
    return countPixels(hwnd, area, colour) > 0;
}

// Some pixel of area is nearly white (text is drawn smoothed, so small
// white text need not reach pure white anywhere).
inline bool anyWhitish(WindowHandle* hwnd, const Rect& area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const Colour c = getPixel(hwnd, x, y);
            if (c.red > 200 && c.green > 200 && c.blue > 200)
                return true;
        }
    return false;
}

// Some pixel of area is not the colour.
inline bool anyPixelOtherThan(WindowHandle* hwnd, const Rect& area, Colour colour) {
    return !allPixels(hwnd, area, colour);
}

} // namespace tonvela::test
