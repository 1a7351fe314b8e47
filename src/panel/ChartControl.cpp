#include "panel/ChartControl.h"

#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "widgets/DrawingHelpers.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

ChartControl::ChartControl(WindowHandle* parent, const ResourceManager& resources)
    : Window("", "", WS_CHILD | WS_VISIBLE, parent, 0), ruler(resources) {
    setStyle(WS_CHILD | WS_VISIBLE);
    ruler.setWideRange(400);
    ruler.setNarrowRange(100);
}

ChartControl::~ChartControl() = default;

std::vector<Point> ChartControl::curve() const {
    if (!curveValid) {
        return {};
    }
    return std::vector<Point>(points.begin(), points.begin() + pointCount);
}

void ChartControl::computePoints(const Rect& client) {
    if (!result) {
        curveValid = false;
        return;
    }
    const int count = result->getBinCount();
    // The array only grows, so a result with fewer bins reuses it.
    if (int(points.size()) < count) {
        points.resize(count);
    }
    pointCount = count;
    const int zero = client.bottom - plotBottomInset;
    const int plotHeight = client.bottom - plotBottomInset - plotGap - rulerHeight - client.top - 2;
    const float peak = result->getPeakLevel();
    const float* levels = result->getLevels();
    for (int i = 0; i < count; ++i) {
        // A silent record (peak 0) or a broken level lies on the zero line
        // instead of anywhere at all.
        float scaled = peak > 0.0f ? levels[i] / peak * float(plotHeight) : 0.0f;
        if (!std::isfinite(scaled)) {
            scaled = 0.0f;
        }
        scaled = std::clamp(scaled, -32767.0f, 32767.0f);
        points[i] = {ruler.positionOf(result->getBinCents(i)), zero - int(scaled)};
    }
    curveValid = true;
}

Rect ChartControl::plotRect(const Rect& client) const {
    return {client.left + 5, client.top + plotGap + rulerHeight + 1, client.right - 5,
            client.bottom - 1};
}

void ChartControl::setResult(const AnalysisResultIfc* r) {
    result = r;
    const Rect client = getClientRect(handle);
    computePoints(client);
    // Both curves lie within the plot, under the ruler.
    const Rect plot = plotRect(client);
    invalidateRect(handle, &plot);
}

void ChartControl::setZoom(bool on) {
    ruler.setZoom(on);
    if (isWindow(handle)) {
        computePoints(getClientRect(handle));
        invalidate();
    }
}

LResult ChartControl::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                    LParam lParam) {
    switch (message) {
    case WM_SIZE: {
        const Rect client = getClientRect(hwnd);
        ruler.setGeometry(client.left, client.top, client.width(), rulerHeight);
        computePoints(client);
        break;
    }
    case WM_PAINT: {
        DrawingContext dc = DrawingContext::forPaint(hwnd);
        const Rect client = dc.clientRect();
        drawFilledFrame(dc, client, frameTopLeft, frameBottomRight, backgroundColour);
        ruler.draw(dc);
        if (curveValid) {
            dc.intersectClipRect(plotRect(client));
            dc.selectPen(curvePen);
            dc.polyline(points.data(), pointCount);
        }
        return 0;
    }
    default:
        break;
    }
    return Window::handleMessage(hwnd, message, wParam, lParam);
}

} // namespace tonvela
