#include "panel/ToneScaleControl.h"

#include "platform/gui/WindowStyles.h"
#include "runtime/Messages.h"
#include "state/DataStructure.h"
#include "tuning/ToneScaleCollection.h"
#include "widgets/DrawingHelpers.h"
#include "widgets/ResourceManager.h"

namespace tonvela {

ToneScaleControl::ToneScaleControl(WindowHandle* parent)
    : Window("", "", WS_CHILD | WS_VISIBLE, parent, 0),
      toneScales(DataStructure::getInstance().getToneScales()),
      textFont(ResourceManager::getInstance().getFont("Arial,15,PLAIN")),
      unitFont(ResourceManager::getInstance().smallFont) {
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

    const ResourceManager& resources = ResourceManager::getInstance();
    const int x1 = l + leftInset;
    const int x2 = l + 148; // the second caption column, after the first values
    const int row1 = t + topInset;
    const int row2 = row1 + rowHeight;
    const int row3 = row2 + rowHeight;
    drawTextLeft(dc, resources.loadString(TemperCaption), x1, row1, captionWidth, rowHeight);
    drawTextLeft(dc, resources.loadString(KeynoteCaption), x1, row2, captionWidth, rowHeight);
    drawTextLeft(dc, resources.loadString(PitchCaption), x1, row3, captionWidth, rowHeight);
    drawTextLeft(dc, resources.loadString(CalibrationCaption), x2, row2, caption2Width, rowHeight);
    drawTextLeft(dc, resources.loadString(StretchCaption), x2, row3, caption2Width, rowHeight);

    // The units stand at fixed places of the client area.
    dc.selectFont(unitFont);
    drawTextLeft(dc, "Hz", 128, 42, captionWidth, rowHeight);
    drawTextLeft(dc, "Cent", 262, 23, captionWidth, rowHeight);
    drawTextLeft(dc, "Cent", 262, 42, captionWidth, rowHeight);

    dc.selectFont(textFont);
    dc.setTextColour(valueColour);
    const int v1 = l + 83;
    const int v2 = l + 223;
    const ToneScale* scale = toneScales.getCurrentScale();
    drawTextLeft(dc, scale ? scale->getName() : std::string(), v1, row1, client.right - v1 - 2,
                 rowHeight);
    drawTextLeft(dc, toneScales.getKeynoteName(), v1, row2, valueWidth, rowHeight);
    drawTextLeft(dc, toneScales.formatStandardPitch(), v1, row3, valueWidth, rowHeight);
    drawTextLeft(dc, toneScales.formatCalibration(), v2, row2, valueWidth, rowHeight);
    drawTextLeft(dc, toneScales.formatOctaveStretch(), v2, row3, valueWidth, rowHeight);
}

} // namespace tonvela
