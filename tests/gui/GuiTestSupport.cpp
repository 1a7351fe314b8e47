#include "GuiTestSupport.h"
#include "platform/gui/WindowTesting.h"

#include "platform/gui/DrawingContext.h"
#include "runtime/Messages.h"

#include <algorithm>

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
    for (Colour pixel : pixelsOf(hwnd, rect)) {
        count += pixel == colour ? 1 : 0;
    }
    return count;
}

std::vector<Colour> pixelsOf(WindowHandle* hwnd, const Rect& rect) {
    std::vector<Colour> pixels;
    pixels.reserve(static_cast<std::size_t>(std::max(0, rect.width() * rect.height())));
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            pixels.push_back(getPixel(hwnd, x, y));
        }
    }
    return pixels;
}

std::string pixelDifferences(const Rect& rect, const std::vector<Colour>& a,
                             const std::vector<Colour>& b) {
    if (a.size() != b.size()) {
        return "sizes differ";
    }
    std::string where;
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        if (++count <= 8) {
            const int x = rect.left + int(i) % rect.width();
            const int y = rect.top + int(i) / rect.width();
            where += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
        }
    }
    return count == 0 ? std::string() : std::to_string(count) + " pixels differ:" + where;
}

} // namespace tonvela::test
