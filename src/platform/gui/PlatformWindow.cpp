#include "platform/gui/PlatformWindow.h"

#include "platform/gui/WindowRecord.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QTimerEvent>

namespace tonvela {

namespace {

inline constexpr WParam MK_LBUTTON = 0x0001;

// The virtual-key code of a Qt key, 0 for keys the program has no code for.
unsigned virtualKey(int key) {
    switch (key) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    default:
        break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return unsigned(key); // the same codes as ASCII
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 0x70 + unsigned(key - Qt::Key_F1);
    }
    return 0;
}

} // namespace

PlatformWindow::PlatformWindow(WindowRecord* record, QWidget* parent)
    : QWidget(parent), record(record) {
    // The object paints every pixel itself, into the back buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void PlatformWindow::paintEvent(QPaintEvent* event) {
    if (!record) {
        return;
    }
    if (record->ratioOverride == 0.0 && record->buffer.devicePixelRatio() != devicePixelRatioF()) {
        // Moved to a screen of another pixel ratio: draw everything anew.
        rebuildBuffer(record);
        invalidateRect(record->handle, nullptr);
    }
    renderPendingPaint(record);
    if (!record) {
        return;
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(QPoint(0, 0), record->buffer);
}

void PlatformWindow::resizeEvent(QResizeEvent* event) {
    if (record) {
        applyClientSize(record, event->size());
    }
}

void PlatformWindow::timerEvent(QTimerEvent* event) {
    if (!record) {
        return;
    }
    for (const auto& [id, qtId] : record->timers) {
        if (qtId == event->timerId()) {
            dispatchMessage(record, WM_TIMER, id, 0);
            return;
        }
    }
}

void PlatformWindow::mousePressEvent(QMouseEvent* event) {
    if (!record || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    dispatchMessage(record, WM_LBUTTONDOWN, MK_LBUTTON, makePointLParam(p.x(), p.y()));
}

void PlatformWindow::keyPressEvent(QKeyEvent* event) {
    const unsigned key = virtualKey(event->key());
    if (!record || key == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Bit 30 of lParam: the key was down already (auto-repeat); the low word
    // is the repeat count.
    const LParam flags = 1 | (event->isAutoRepeat() ? (LParam(1) << 30) : 0);
    dispatchMessage(record, WM_KEYDOWN, key, flags);
}

void PlatformWindow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (record) {
        dispatchMessage(record, WM_SETFOCUS, 0, 0);
    }
}

void PlatformWindow::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (record) {
        dispatchMessage(record, WM_KILLFOCUS, 0, 0);
    }
}

double bufferRatio(const WindowRecord* record) {
    if (record->ratioOverride > 0.0) {
        return record->ratioOverride;
    }
    return record->widget ? record->widget->devicePixelRatioF() : 1.0;
}

void rebuildBuffer(WindowRecord* record) {
    const double ratio = bufferRatio(record);
    const QSize logical = record->size;
    const QSize device(std::max(1, int(std::ceil(logical.width() * ratio))),
                       std::max(1, int(std::ceil(logical.height() * ratio))));
    QImage image(device, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    // Only a painter in use moves to the new buffer; an idle one stays ended.
    const bool painting = record->painter && record->painter->isActive();
    if (painting) {
        record->painter->end();
    }
    if (!record->buffer.isNull()) {
        // Keep what was drawn until the repaint replaces it.
        QPainter copy(&image);
        copy.drawImage(QPoint(0, 0), record->buffer);
    }
    record->buffer = std::move(image);
    if (painting) {
        record->painter->begin(&record->buffer);
    }
}

void applyClientSize(WindowRecord* record, QSize size) {
    if (size != record->size) {
        record->size = size;
        rebuildBuffer(record);
        // A new size repaints the whole window.
        record->invalid = QRect(QPoint(0, 0), size);
        if (record->widget) {
            record->widget->update();
        }
    }
    // Qt may size a window before its object is attached; the object still
    // learns that size with its first placement.
    if (!record->handler || size == record->sizeSent) {
        return;
    }
    record->sizeSent = size;
    dispatchMessage(
        record, WM_SIZE, 0,
        LParam((unsigned(size.width()) & 0xFFFF) | ((unsigned(size.height()) & 0xFFFF) << 16)));
}

void renderPendingPaint(WindowRecord* record) {
    if (record->invalid.isEmpty() || record->inPaint) {
        return;
    }
    WindowHandle* hwnd = record->handle;
    record->paintClip = record->invalid;
    record->invalid = QRect();
    record->inPaint = true;
    dispatchMessage(record, WM_PAINT, 0, 0);
    // The handler may have destroyed its window.
    if (WindowRecord* still = findRecord(hwnd)) {
        still->inPaint = false;
        still->paintClip = QRect();
    }
}

QPainter* acquirePainter(WindowRecord* record) {
    if (!record->painter) {
        record->painter = std::make_unique<QPainter>();
    }
    if (record->painterUsers++ == 0) {
        record->painter->begin(&record->buffer);
    }
    return record->painter.get();
}

void releasePainter(WindowRecord* record) {
    if (record->painterUsers > 0 && --record->painterUsers == 0) {
        record->painter->end();
    }
}

} // namespace tonvela
