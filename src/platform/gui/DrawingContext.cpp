#include "platform/gui/DrawingContext.h"

#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowRecord.h"
#include "platform/gui/WindowSystem.h"

#include <QFontMetricsF>
#include <QPolygon>

#include <cmath>

namespace tonvela {

struct DrawingContext::State {
    WindowHandle* window = nullptr;
    bool paint = false;
    QRect bounds;
    QRect clip;
    QRect dirty;
    Colour background = rgb(255, 255, 255);
    BackgroundMode mode = BackgroundMode::Opaque;
    Colour text = rgb(0, 0, 0);
    FontHandle font = nullptr;
    Pen pen = Pen::solid(0, rgb(0, 0, 0));

    WindowRecord* record() const { return findRecord(window); }

    // The window's painter, set to this context's clip; null when the window
    // has gone.
    QPainter* begin() {
        WindowRecord* r = record();
        if (!r || !r->painter || !r->painter->isActive()) {
            return nullptr;
        }
        QPainter* p = r->painter.get();
        p->save();
        p->setClipRect(clip);
        p->setRenderHint(QPainter::Antialiasing, false);
        return p;
    }
    void end(QPainter* p, const QRect& touched) {
        p->restore();
        dirty |= touched & clip;
    }
    const Font* currentFont() const { return font ? font : defaultFont(); }
};

namespace {

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

int textWidth(const Font* font, const QString& text) {
    return int(std::lround(QFontMetricsF(font->qfont).horizontalAdvance(text)));
}

} // namespace

DrawingContext::DrawingContext(std::unique_ptr<State> state) : state(std::move(state)) {}

DrawingContext::DrawingContext(DrawingContext&& other) noexcept = default;
DrawingContext& DrawingContext::operator=(DrawingContext&& other) noexcept = default;

DrawingContext DrawingContext::forPaint(WindowHandle* hwnd) {
    auto state = std::make_unique<State>();
    WindowRecord* record = findRecord(hwnd);
    if (record && record->hasBuffer()) {
        state->window = hwnd;
        state->paint = true;
        state->bounds = QRect(QPoint(0, 0), record->size);
        if (record->inPaint) {
            state->clip = record->paintClip;
        } else {
            // Painting outside WM_PAINT takes over what waits for it.
            state->clip = record->invalid;
            record->invalid = QRect();
        }
        acquirePainter(record);
    }
    return DrawingContext(std::move(state));
}

DrawingContext DrawingContext::forWindow(WindowHandle* hwnd) {
    auto state = std::make_unique<State>();
    WindowRecord* record = findRecord(hwnd);
    if (record && record->hasBuffer()) {
        state->window = hwnd;
        state->bounds = QRect(QPoint(0, 0), record->size);
        state->clip = state->bounds;
        acquirePainter(record);
    }
    return DrawingContext(std::move(state));
}

DrawingContext::~DrawingContext() {
    if (!state) {
        return;
    }
    WindowRecord* record = state->record();
    if (!record) {
        return;
    }
    releasePainter(record);
    // Show what was drawn; a paint inside WM_PAINT is shown by that paint.
    if (!state->dirty.isEmpty() && record->widget && !(state->paint && record->inPaint)) {
        record->widget->update(state->dirty);
    }
}

bool DrawingContext::isValid() const {
    return state && state->record();
}

Rect DrawingContext::clientRect() const {
    const QRect& b = state->bounds;
    return {b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
}

Colour DrawingContext::setBackgroundColour(Colour colour) {
    const Colour old = state->background;
    state->background = colour;
    return old;
}

Colour DrawingContext::getBackgroundColour() const {
    return state->background;
}

BackgroundMode DrawingContext::setBackgroundMode(BackgroundMode mode) {
    const BackgroundMode old = state->mode;
    state->mode = mode;
    return old;
}

Colour DrawingContext::setTextColour(Colour colour) {
    const Colour old = state->text;
    state->text = colour;
    return old;
}

void DrawingContext::fillSolid(const Rect& rect, Colour colour) {
    state->background = colour;
    fillBackground(rect);
}

void DrawingContext::fillBackground(const Rect& rect) {
    if (rect.isEmpty()) {
        return;
    }
    QPainter* p = state->begin();
    if (!p) {
        return;
    }
    const QRect area = toQRect(rect);
    p->fillRect(area, toQColour(state->background));
    state->end(p, area);
}

void DrawingContext::fillRect(const Rect& rect, const Brush& brush) {
    if (rect.isEmpty() || brush.null) {
        return;
    }
    QPainter* p = state->begin();
    if (!p) {
        return;
    }
    const QRect area = toQRect(rect);
    p->fillRect(area, toQColour(brush.colour));
    state->end(p, area);
}

FontHandle DrawingContext::selectFont(FontHandle font) {
    const FontHandle old = state->font;
    if (font) {
        state->font = font;
    }
    return old;
}

FontHandle DrawingContext::getFont() const {
    return state->font;
}

Pen DrawingContext::selectPen(const Pen& pen) {
    const Pen old = state->pen;
    state->pen = pen;
    return old;
}

Point DrawingContext::measureText(const std::string& text) const {
    const Font* font = state->currentFont();
    return {textWidth(font, QString::fromStdString(text)), font->height};
}

int DrawingContext::drawText(const std::string& text, Rect& rect, unsigned flags) {
    const Font* font = state->currentFont();
    const QString qtext = QString::fromStdString(text);
    const int width = textWidth(font, qtext);
    const int cell = font->height;
    if (flags & DT_CALCRECT) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + cell;
        return cell;
    }
    const int x = (flags & DT_CENTER) ? (rect.left + rect.right - width) / 2 : rect.left;
    int y = rect.top;
    if (flags & DT_VCENTER) {
        y = (rect.top + rect.bottom - cell) / 2;
    } else if (flags & DT_BOTTOM) {
        y = rect.bottom - cell;
    }
    QPainter* p = state->begin();
    if (!p) {
        return cell;
    }
    const QRect box(x, y, width, cell);
    QRect touched = box;
    if (!(flags & DT_NOCLIP)) {
        p->setClipRect(toQRect(rect), Qt::IntersectClip);
        touched &= toQRect(rect);
    }
    if (state->mode == BackgroundMode::Opaque) {
        p->fillRect(box, toQColour(state->background));
    }
    p->setRenderHint(QPainter::TextAntialiasing, true);
    p->setFont(font->qfont);
    p->setPen(toQColour(state->text));
    p->drawText(QPointF(x, y + font->ascent), qtext);
    state->end(p, touched);
    return cell;
}

void DrawingContext::polyline(const Point* points, int count) {
    if (!points || count < 2 || state->pen.style == Pen::Style::None) {
        return;
    }
    QPainter* p = state->begin();
    if (!p) {
        return;
    }
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i) {
        polygon.setPoint(i, points[i].x, points[i].y);
    }
    QPen pen(toQColour(state->pen.colour), std::max(1, state->pen.width));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p->setPen(pen);
    p->drawPolyline(polygon);
    const int grow = std::max(1, state->pen.width) + 1;
    state->end(p, polygon.boundingRect().adjusted(-grow, -grow, grow, grow));
}

void DrawingContext::intersectClipRect(const Rect& rect) {
    state->clip &= toQRect(rect);
}

Rect DrawingContext::getClipRect() const {
    const QRect& c = state->clip;
    if (c.isEmpty()) {
        return {};
    }
    return {c.left(), c.top(), c.left() + c.width(), c.top() + c.height()};
}

} // namespace tonvela
