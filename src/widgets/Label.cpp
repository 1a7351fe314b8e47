#include "widgets/Label.h"

namespace tonvela {

void Label::setAnchor(int x, int y) {
    this->x = x;
    this->y = y;
}

void Label::setAlignment(LabelAlignment horizontal, LabelAlignment vertical) {
    hAlign = horizontal;
    vAlign = vertical;
}

Rect Label::place(DrawingContext& dc) const {
    Rect rect{x, y, x, y};
    dc.selectFont(font);
    dc.drawText(text, rect, DT_CALCRECT | DT_SINGLELINE);
    if (hAlign == LabelAlignment::Center) {
        rect = rect.offset(-(rect.right - rect.left) / 2, 0);
    } else if (hAlign == LabelAlignment::Right) {
        rect = rect.offset(-(rect.right - rect.left), 0);
    }
    if (vAlign == LabelAlignment::Center) {
        rect = rect.offset(0, -(rect.bottom - rect.top) / 2);
    } else if (vAlign == LabelAlignment::Bottom) {
        rect = rect.offset(0, -(rect.bottom - rect.top));
    }
    return rect;
}

Rect Label::inkArea(DrawingContext& dc) const {
    const Rect rect = place(dc);
    const int margin = (rect.height() + 3) / 4;
    return {rect.left - margin, rect.top, rect.right + margin, rect.bottom};
}

void Label::draw(DrawingContext& dc) {
    Rect rect = place(dc);
    dc.drawText(text, rect, DT_NOCLIP | DT_SINGLELINE);
    lastRect = rect;
}

} // namespace tonvela
