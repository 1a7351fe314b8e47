#include "GuiTestSupport.h"

#include "platform/gui/DrawingContext.h"
#include "runtime/Messages.h"

namespace tonvela::test {

LResult RecordingWindow::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                       LParam lParam) {
    switch (message) {
    case WM_PAINT: {
        DrawingContext dc = DrawingContext::forPaint(hwnd);
        dc.fillSolid(dc.clientRect(), rgb(142, 147, 245));
        return 0;
    }
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        break;
    default:
        received.push_back({message, wParam, lParam});
        break;
    }
    return Window::handleMessage(hwnd, message, wParam, lParam);
}

bool allPixels(WindowHandle* hwnd, const Rect& rect, Colour colour) {
    return countPixels(hwnd, rect, colour) == rect.width() * rect.height();
}

int countPixels(WindowHandle* hwnd, const Rect& rect, Colour colour) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            count += getPixel(hwnd, x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

} // namespace tonvela::test
