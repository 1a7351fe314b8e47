#include "panel/ToneScaleControl.h"
#include "resources/StringIds.h"

#include "platform/gui/WindowStyles.h"
#include "runtime/Messages.h"
#include "tuning/ToneScaleCollection.h"
#include "widgets/DrawingHelpers.h"
#include "widgets/ResourceManager.h"

#include <algorithm>
#include <string>

namespace tonvela {

ToneScaleControl::ToneScaleControl(WindowHandle* parent, ToneScaleCollection& toneScales,
                                   const ResourceManager& resources)
    : Window("", "", WS_CHILD | WS_VISIBLE, parent, 0), toneScales(toneScales),
      resources(resources), textFont(resources.getFont("Arial,15,PLAIN")),
      unitFont(resources.smallFont) {
    toneScales.addListener(this);
}

ToneScaleControl::~ToneScaleControl() {
    toneScales.removeListener(this);
}

void ToneScaleControl::toneScaleChanged() {
    invalidate();
}

LResult ToneScaleControl::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                        LParam lParam) {
    if (message == WM_PAINT) {
        DrawingContext dc = DrawingContext::forPaint(hwnd);
        paint(dc);
        return 0;
    }
    return Window::handleMessage(hwnd, message, wParam, lParam);
}

void ToneScaleControl::paint(DrawingContext& dc) {
    const Rect client = dc.clientRect();
    const int l = client.left;
    const int t = client.top;
    drawFilledFrame(dc, client, frameTopLeft, frameBottomRight, backgroundColour);
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.selectFont(textFont);
    dc.setTextColour(captionColour);

    const std::string captions1[] = {resources.loadString(IDS_TEMPER_CAPTION),
                                     resources.loadString(IDS_KEYNOTE_CAPTION),
                                     resources.loadString(IDS_PITCH_CAPTION)};
    const std::string captions2[] = {resources.loadString(IDS_CALIBRATION_CAPTION),
                                     resources.loadString(IDS_STRETCH_CAPTION)};
    // The columns keep their places unless a caption needs more room; then
    // everything right of it moves along.
    auto widest = [&dc, gap = captionGap](const auto& texts, int least) {
        int w = least;
        for (const std::string& text : texts) {
            w = std::max(w, dc.measureText(text).x + gap);
        }
        return w;
    };
    const int x1 = l + leftInset;
    const int v1 = x1 + widest(captions1, captionWidth + captionGap);
    const int x2 = v1 + valueWidth + 5; // the second caption column, after the first values
    const int v2 = x2 + widest(captions2, caption2Width + captionGap);
    const int row1 = t + topInset;
    const int row2 = row1 + rowHeight;
    const int row3 = row2 + rowHeight;
    drawTextLeft(dc, captions1[0], x1, row1, v1 - x1, rowHeight);
    drawTextLeft(dc, captions1[1], x1, row2, v1 - x1, rowHeight);
    drawTextLeft(dc, captions1[2], x1, row3, v1 - x1, rowHeight);
    drawTextLeft(dc, captions2[0], x2, row2, v2 - x2, rowHeight);
    drawTextLeft(dc, captions2[1], x2, row3, v2 - x2, rowHeight);

    // The units stand right of the values, one pixel lower.
    dc.selectFont(unitFont);
    drawTextLeft(dc, "Hz", v1 + 45, row3 + 1, captionWidth, rowHeight);
    drawTextLeft(dc, "Cent", v2 + 39, row2 + 1, captionWidth, rowHeight);
    drawTextLeft(dc, "Cent", v2 + 39, row3 + 1, captionWidth, rowHeight);

    dc.selectFont(textFont);
    dc.setTextColour(valueColour);
    const ToneScale* scale = toneScales.getCurrentScale();
    drawTextLeft(dc, scale ? scale->getName() : std::string(), v1, row1, client.right - v1 - 2,
                 rowHeight);
    drawTextLeft(dc, toneScales.getKeynoteName(), v1, row2, valueWidth, rowHeight);
    drawTextLeft(dc, toneScales.formatStandardPitch(), v1, row3, valueWidth, rowHeight);
    drawTextLeft(dc, toneScales.formatCalibration(), v2, row2, valueWidth, rowHeight);
    drawTextLeft(dc, toneScales.formatOctaveStretch(), v2, row3, valueWidth, rowHeight);
}

} // namespace tonvela
