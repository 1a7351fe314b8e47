#pragma once

#include "platform/gui/GuiTypes.h"
#include "platform/gui/MessageHandler.h"

#include <string>

namespace tonvela {

// Ties an object to a window of the window layer: the object receives every
// message of its window through handleMessage. Two empty names make a
// "FrameworkWindow", the class of the program's own windows, whose drawing
// is kept in a back buffer; "BUTTON" makes a button control. A window that
// could not be made leaves getHandle() null.
class Window : public MessageHandler {
public:
    Window(const std::string& className, const std::string& windowName, unsigned style,
           WindowHandle* parent, unsigned exStyle = 0);
    // Detaches the object and destroys its window if that still exists, so no
    // message ever reaches a destroyed object.
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;

    WindowHandle* getHandle() const { return handle; }
    bool isVisible() const { return visible; }

    void setPosition(int x, int y, int width, int height);
    void setEnabled(bool enabled);
    // WM_SETFONT with the font, no redraw.
    void setFont(FontHandle font);
    void setStyle(unsigned style);
    void setVisible(bool show);
    // The whole client area is painted anew at the next paint.
    void invalidate();

protected:
    WindowHandle* handle = nullptr;
    bool visible = true;
};

} // namespace tonvela
