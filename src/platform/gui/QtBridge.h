#pragma once

// The window layer seen from Qt code (the application shell, tests, the
// gallery): the widgets and images behind handles, fonts and icons.

#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"

#include <QFont>
#include <QIcon>
#include <QImage>

class QWidget;
class QPainter;

namespace tonvela {

QWidget* widgetOf(WindowHandle* hwnd);
WindowHandle* handleOf(const QWidget* widget);
// Gives a Qt widget of the shell a handle, so that windows of the layer can
// be its children and send it messages (to a handler set with
// setWindowHandler). The handle goes when the widget does.
WindowHandle* adoptWidget(QWidget* widget);

// The back buffer of a FrameworkWindow after any pending paint; null for
// other windows.
const QImage* backBuffer(WindowHandle* hwnd);

QFont toQFont(FontHandle font);
QIcon toQIcon(IconHandle icon);
// The icon's picture at size × size device pixels.
QImage renderIconImage(int id, int size);

QColor toQColour(Colour colour);
Colour fromQColour(const QColor& colour);

} // namespace tonvela
