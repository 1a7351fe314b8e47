#pragma once

// Helpers for the windows' tests: a parent window that records what it is
// sent, and reading the back buffer.

#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "widgets/Window.h"

#include <string>
#include <vector>

namespace tonvela::test {

struct SentMessage {
    unsigned message;
    WParam wParam;
    LParam lParam;
};

// A top-level FrameworkWindow that keeps every message it receives (after
// the ones the layer itself sends: size, paint, focus) and paints itself in
// one colour.
class RecordingWindow : public Window {
public:
    explicit RecordingWindow(int width = 640, int height = 480)
        : Window("", "", WS_VISIBLE, nullptr, 0) {
        setPosition(0, 0, width, height);
    }

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;

    // The recorded messages of one kind.
    std::vector<SentMessage> messages(unsigned message) const {
        std::vector<SentMessage> found;
        for (const SentMessage& m : received) {
            if (m.message == message) {
                found.push_back(m);
            }
        }
        return found;
    }
    void clear() { received.clear(); }

    std::vector<SentMessage> received;
};

// The colour of every pixel of a rectangle equals colour.
bool allPixels(WindowHandle* hwnd, const Rect& rect, Colour colour);
// How many pixels of the rectangle have colour.
int countPixels(WindowHandle* hwnd, const Rect& rect, Colour colour);

// The pixels of a rectangle of a window's back buffer, row by row, in
// logical pixels.
std::vector<Colour> pixelsOf(WindowHandle* hwnd, const Rect& rect);
inline std::vector<Colour> allPixelsOf(WindowHandle* hwnd) {
    return pixelsOf(hwnd, getClientRect(hwnd));
}
// How many pixels of two reads of rect differ, and where the first few lie;
// empty when none does.
std::string pixelDifferences(const Rect& rect, const std::vector<Colour>& a,
                             const std::vector<Colour>& b);

} // namespace tonvela::test
