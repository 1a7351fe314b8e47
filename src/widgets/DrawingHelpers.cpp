#include "widgets/DrawingHelpers.h"

namespace tonvela {

void fillBox(DrawingContext& dc, int x, int y, int width, int height, Colour colour) {
    dc.fillSolid({x, y, x + width, y + height}, colour);
}

void drawOutline(DrawingContext& dc, int x, int y, int width, int height, Colour colour) {
    dc.fillSolid({x, y, x + width, y + 1}, colour);
    dc.fillSolid({x, y + 1, x + 1, y + height}, colour);
    dc.fillSolid({x + width - 1, y + 1, x + width, y + height}, colour);
    dc.fillSolid({x + 1, y + height - 1, x + width - 1, y + height}, colour);
}

void drawFrame(DrawingContext& dc, const Rect& rect, Colour topLeft, Colour bottomRight) {
    dc.fillSolid({rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
    dc.fillSolid({rect.left, rect.top + 1, rect.left + 1, rect.bottom}, topLeft);
    dc.fillSolid({rect.right - 1, rect.top + 1, rect.right, rect.bottom}, bottomRight);
    dc.fillSolid({rect.left + 1, rect.bottom - 1, rect.right - 1, rect.bottom}, bottomRight);
}

void drawFilledFrame(DrawingContext& dc, const Rect& rect, Colour topLeft, Colour bottomRight,
                     Colour fill) {
    drawFrame(dc, rect, topLeft, bottomRight);
    dc.fillSolid({rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}, fill);
}

void fillMargins(DrawingContext& dc, const Rect& rect, int top, int left, int bottom, int right,
                 Colour colour) {
    if (top > 0) {
        dc.fillSolid({rect.left, rect.top, rect.right, rect.top + top}, colour);
    }
    if (left > 0) {
        dc.fillSolid({rect.left, rect.top + top, rect.left + left, rect.bottom}, colour);
    }
    if (right > 0) {
        dc.fillSolid({rect.right - right, rect.top + top, rect.right, rect.bottom}, colour);
    }
    if (bottom > 0) {
        dc.fillSolid({rect.left + left, rect.bottom - bottom, rect.right - right, rect.bottom},
                     colour);
    }
}

void drawTextCentered(DrawingContext& dc, const std::string& text, int x, int y, int width,
                      int height) {
    Rect rect{x, y, x + width, y + height};
    dc.drawText(text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void drawTextLeft(DrawingContext& dc, const std::string& text, int x, int y, int width,
                  int height) {
    Rect rect{x, y, x + width, y + height};
    dc.drawText(text, rect, DT_VCENTER | DT_SINGLELINE);
}

} // namespace tonvela
