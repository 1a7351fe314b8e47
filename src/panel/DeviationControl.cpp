#include "panel/DeviationControl.h"

#include "analysis/AnalysisResultIfc.h"
#include "platform/gui/DrawingContext.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "widgets/DrawingHelpers.h"

#include <algorithm>

namespace tonvela {

namespace {

// What drawFilledFrame of a bar actually colours: the union of its four
// frame lines and its interior, each left out when empty. For a bar of some
// width that is the bar itself; a bar of no width shows two columns around
// the zero tick without its top row.
Rect paintedArea(const Rect& r) {
    const Rect parts[] = {{r.left, r.top, r.right, r.top + 1},
                          {r.left, r.top + 1, r.left + 1, r.bottom},
                          {r.right - 1, r.top + 1, r.right, r.bottom},
                          {r.left + 1, r.bottom - 1, r.right - 1, r.bottom},
                          {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}};
    Rect area;
    bool any = false;
    for (const Rect& part : parts) {
        if (part.isEmpty())
            continue;
        if (!any) {
            area = part;
            any = true;
            continue;
        }
        area = {std::min(area.left, part.left), std::min(area.top, part.top),
                std::max(area.right, part.right), std::max(area.bottom, part.bottom)};
    }
    return area;
}

// Fills what old covers outside keep: at most a strip on each side.
void eraseOutside(DrawingContext& dc, const Rect& old, const Rect& keep, Colour colour) {
    const Rect inner{std::max(old.left, keep.left), std::max(old.top, keep.top),
                     std::min(old.right, keep.right), std::min(old.bottom, keep.bottom)};
    if (inner.isEmpty()) {
        dc.fillSolid(old, colour);
        return;
    }
    dc.fillSolid({old.left, old.top, old.right, inner.top}, colour);
    dc.fillSolid({old.left, inner.bottom, old.right, old.bottom}, colour);
    dc.fillSolid({old.left, inner.top, inner.left, inner.bottom}, colour);
    dc.fillSolid({inner.right, inner.top, old.right, inner.bottom}, colour);
}

} // namespace

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

void DeviationControl::drawBar(DrawingContext& dc) const {
    drawFilledFrame(dc, bar, barTopLeft, barBottomRight, barFill);
}

void DeviationControl::paint() {
    DrawingContext dc = DrawingContext::forPaint(getHandle());
    drawFilledFrame(dc, dc.clientRect(), frameTopLeft, frameBottomRight, backgroundColour);
    ruler.draw(dc);
    if (barVisible)
        drawBar(dc);
}

void DeviationControl::setResult(const AnalysisResultIfc* r) {
    const bool hadBar = barVisible;
    const Rect oldBar = bar;
    result = r;
    computeBar(getClientRect(getHandle()));

    DrawingContext dc = DrawingContext::forWindow(getHandle());
    if (barVisible)
        drawBar(dc);
    if (!hadBar)
        return;
    // Erase what the old bar coloured outside the new one. The bars share
    // their end at zero, so this is one strip beyond the new bar's free end
    // (or the whole old bar when no new one is shown); only a bar of no width
    // makes it more.
    if (barVisible)
        eraseOutside(dc, paintedArea(oldBar), paintedArea(bar), backgroundColour);
    else
        dc.fillSolid(paintedArea(oldBar), backgroundColour);
}

} // namespace tonvela
