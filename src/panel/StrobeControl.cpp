#include "panel/StrobeControl.h"

#include "analysis/AnalysisResultIfc.h"
#include "platform/gui/DrawingContext.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "widgets/DrawingHelpers.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

StrobeControl::StrobeControl(WindowHandle* parent)
    : Window("", "", WS_CHILD | WS_VISIBLE, parent, 0) {
    setStyle(WS_CHILD | WS_VISIBLE);
    timerId = setTimer(getHandle(), 0, TICK_MS);
}

StrobeControl::~StrobeControl() {
    if (timerId != 0)
        killTimer(getHandle(), timerId);
}

void StrobeControl::setResult(const AnalysisResultIfc* r) {
    if ((r != nullptr) == (result != nullptr)) {
        result = r;
        return;
    }
    result = r;
    computeLitCount();
    invalidate();
}

LResult StrobeControl::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                     LParam lParam) {
    switch (message) {
    case WM_SIZE:
        computeCells(getClientRect(hwnd));
        break;
    case WM_PAINT:
        paint();
        return 0;
    case WM_TIMER:
        tick();
        return 0;
    default:
        break;
    }
    return defWindowProc(hwnd, message, wParam, lParam);
}

void StrobeControl::computeCells(const Rect& area) {
    client = area;
    const int a = area.right - 2 * inset - area.left + cellGap;
    cellCount = std::max(1, a / (cellWidth + cellGap));
    cellOffset = (a - (cellCount - 1) * cellGap - cellCount * cellWidth) / 2;
    computeLitCount();
    firstLit %= cellCount;
}

void StrobeControl::computeLitCount() {
    litCount = result ? static_cast<int>(static_cast<float>(cellCount) * litFraction) : 0;
}

Rect StrobeControl::cellRect(int i) const {
    const int x = client.left + inset + cellOffset + i * (cellWidth + cellGap);
    return {x, client.top + inset, x + cellWidth, client.bottom - inset};
}

bool StrobeControl::isLit(int i) const {
    return litCount > 0 && (i - firstLit + cellCount) % cellCount < litCount;
}

void StrobeControl::paint() {
    DrawingContext dc = DrawingContext::forPaint(getHandle());
    drawFilledFrame(dc, dc.clientRect(), frameTopLeft, frameBottomRight, backgroundColour);
    for (int i = 0; i < cellCount; ++i) {
        if (isLit(i))
            drawFilledFrame(dc, cellRect(i), litTopLeft, litBottomRight, litFill);
        else
            drawFilledFrame(dc, cellRect(i), darkTopLeft, darkBottomRight, darkFill);
    }
}

void StrobeControl::tick() {
    if (!result || held)
        return;
    const float cents = result->getCents();
    // A record without a number must not stop the band for good: the phase
    // outlives the result.
    if (!std::isfinite(cents))
        return;
    phase += (zoom ? 0.4f : 0.1f) * cents;
    if (phase >= 1.0f || phase <= -1.0f) {
        const float whole = std::trunc(phase);
        phase -= whole;
        // Only a few cells are moved per tick anyway; clamping first keeps a
        // wild deviation from overflowing the conversion.
        moveBand(static_cast<int>(std::clamp(whole, -1000.0f, 1000.0f)));
    }
}

void StrobeControl::moveBand(int n) {
    const int limit = litCount / 2 > 2 ? litCount / 2 : 3;
    n = std::clamp(n, -limit, limit);
    const int oldFirst = firstLit;
    firstLit = ((firstLit + n) % cellCount + cellCount) % cellCount;
    // Only the cells at the band's ends change; a band of no cells changes
    // none.
    for (int i = 0; i < cellCount; ++i) {
        const bool wasLit = litCount > 0 && (i - oldFirst + cellCount) % cellCount < litCount;
        if (wasLit != isLit(i)) {
            const Rect cell = cellRect(i);
            invalidateRect(getHandle(), &cell);
        }
    }
}

} // namespace tonvela
