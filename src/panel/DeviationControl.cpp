#include "panel/DeviationControl.h"

#include "analysis/AnalysisResultIfc.h"
#include "platform/gui/DrawingContext.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "widgets/DrawingHelpers.h"

#include <algorithm>

namespace tonvela {

DeviationControl::DeviationControl(WindowHandle* parent, const ResourceManager& resources)
    : Window("", "", WS_CHILD | WS_VISIBLE, parent, 0), ruler(resources) {
    setStyle(WS_CHILD | WS_VISIBLE);
    ruler.setWideRange(80);
    ruler.setNarrowRange(20);
}

void DeviationControl::setZoom(bool on) {
    ruler.setZoom(on);
    if (isWindow(getHandle())) {
        computeBar(getClientRect(getHandle()));
        invalidate();
    }
}

LResult DeviationControl::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                        LParam lParam) {
    switch (message) {
    case WM_SIZE: {
        const Rect client = getClientRect(hwnd);
        ruler.setGeometry(client.left, client.top, client.right - client.left, rulerHeight);
        computeBar(client);
        break;
    }
    case WM_PAINT:
        paint();
        return 0;
    default:
        break;
    }
    return defWindowProc(hwnd, message, wParam, lParam);
}

void DeviationControl::computeBar(const Rect& client) {
    if (!result) {
        barVisible = false;
        return;
    }
    const float cents = result->getCents();
    const int zero = ruler.positionOf(0.0f);
    int p = ruler.positionOf(cents);
    p = std::max(p, client.left + 5);
    p = std::min(p, client.right - 5);
    const int top = client.top + rulerHeight + barGap;
    const int bottom = client.bottom - barBottomInset;
    if (cents >= 0.0f)
        bar = {zero, top, p, bottom};
    else
        bar = {p, top, zero, bottom};
    barVisible = true;
}

void DeviationControl::paint() {
    DrawingContext dc = DrawingContext::forPaint(getHandle());
    drawFilledFrame(dc, dc.clientRect(), frameTopLeft, frameBottomRight, backgroundColour);
    ruler.draw(dc);
    if (barVisible)
        drawFilledFrame(dc, bar, barTopLeft, barBottomRight, barFill);
}

void DeviationControl::setResult(const AnalysisResultIfc* r) {
    const bool hadBar = barVisible;
    const Rect oldBar = bar;
    result = r;
    computeBar(getClientRect(getHandle()));
    if (hadBar)
        invalidateBar(oldBar);
    if (barVisible)
        invalidateBar(bar);
}

// A bar of no width still draws its frame lines beside the zero tick, so the
// area to repaint reaches one pixel beyond it on either side.
void DeviationControl::invalidateBar(const Rect& r) {
    const Rect area{r.left - 1, r.top, r.right + 1, r.bottom};
    invalidateRect(getHandle(), &area);
}

} // namespace tonvela
