#include "widgets/Label.h"

namespace tonvela {

void Label::setAnchor(int x, int y) {
    this->x = x;
    this->y = y;
    drawn = false;
}

void Label::setAlignment(LabelAlignment horizontal, LabelAlignment vertical) {
    hAlign = horizontal;
    vAlign = vertical;
    drawn = false;
}

void Label::draw(DrawingContext& dc, const std::string& text) {
    if (drawn) {
        dc.fillBackground(lastRect);
    }
    Rect rect{x, y, x, y};
    dc.selectFont(font);
    dc.drawText(text, rect, DT_CALCRECT | DT_SINGLELINE);
    drawn = true;
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
    dc.drawText(text, rect, DT_NOCLIP | DT_SINGLELINE);
    lastRect = rect;
}

} // namespace tonvela
