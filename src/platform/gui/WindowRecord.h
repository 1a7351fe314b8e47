#pragma once

// Inside the window layer: what the layer keeps for each window. Qt types
// live here and in the layer's sources only.

#include "platform/gui/DrawingContext.h"
#include "platform/gui/MessageHandler.h"

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

namespace tonvela {

struct Font {
    QFont qfont;
    int height = 0; // the cell: ascent + descent
    int weight = 0;
    int ascent = 0;
};

struct Icon {
    int id = 0;
    QIcon qicon;
};

enum class WindowKind { Framework, PushButton, ToggleButton, CheckBox, Adopted };

struct WindowRecord {
    WindowHandle* handle = nullptr;
    QPointer<QWidget> widget;
    WindowKind kind = WindowKind::Framework;
    MessageHandler* handler = nullptr;
    std::string className;
    unsigned style = 0;
    unsigned exStyle = 0;
    bool dead = false;
    FontHandle font = nullptr;
    IconHandle icon = nullptr;

    // FrameworkWindow only: the back buffer of the client area at the pixel
    // ratio, and what of it waits for WM_PAINT.
    QImage buffer;
    QSize size;
    QSize sizeSent{-1, -1}; // the size the handler was last told
    double ratioOverride = 0.0;
    QRect invalid;
    QRect paintClip;
    bool inPaint = false;

    // Drawing contexts of this window share one painter on the buffer.
    std::unique_ptr<QPainter> painter;
    int painterUsers = 0;

    std::map<unsigned, int> timers; // our id -> Qt's timer id

    bool hasBuffer() const { return kind == WindowKind::Framework; }
};

WindowRecord* findRecord(WindowHandle* hwnd);
WindowRecord* findRecord(const QWidget* widget);
LResult dispatchMessage(WindowRecord* record, unsigned message, WParam wParam, LParam lParam);

// The layer's own steps behind the platform window's Qt events.
void applyClientSize(WindowRecord* record, QSize size);
void renderPendingPaint(WindowRecord* record);
double bufferRatio(const WindowRecord* record);
void rebuildBuffer(WindowRecord* record);
QPainter* acquirePainter(WindowRecord* record);
void releasePainter(WindowRecord* record);

const Font* defaultFont();

} // namespace tonvela
