#include "widgets/Window.h"

#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"

namespace tonvela {

Window::Window(const std::string& className, const std::string& windowName, unsigned style,
               WindowHandle* parent, unsigned exStyle) {
    // The class is registered once per run; a failed registration is tried
    // again by the next window.
    static bool registered = false;
    if (!registered) {
        registerWindowClass(FrameworkWindowClass);
        if (!isWindowClassRegistered(FrameworkWindowClass)) {
            return;
        }
        registered = true;
    }
    const bool named = !className.empty() || !windowName.empty();
    handle = createWindow(named ? className : FrameworkWindowClass, named ? windowName : "", style,
                          parent, exStyle);
    if (isWindow(handle)) {
        setWindowHandler(handle, this);
    } else {
        handle = nullptr;
    }
}

Window::~Window() {
    if (isWindow(handle)) {
        setWindowHandler(handle, nullptr);
        destroyWindow(handle);
    }
}

LResult Window::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam, LParam lParam) {
    return defWindowProc(hwnd, message, wParam, lParam);
}

void Window::setPosition(int x, int y, int width, int height) {
    setWindowPos(handle, x, y, width, height);
}

void Window::setEnabled(bool enabled) {
    enableWindow(handle, enabled);
}

void Window::setFont(FontHandle font) {
    sendMessage(handle, WM_SETFONT, toWParam(font), 0);
}

void Window::setStyle(unsigned style) {
    setWindowStyle(handle, style);
}

void Window::setVisible(bool show) {
    visible = show;
    showWindow(handle, show);
}

void Window::invalidate() {
    invalidateRect(handle, nullptr);
}

} // namespace tonvela
