#pragma once

// Pixel helpers for the tests of the chart, keyboard, tuning information and
// protocol displays.

#include "gui/GuiTestSupport.h"
#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "widgets/Window.h"

#include <string>
#include <vector>

namespace tonvela::test {

// One line of text as a display draws it: a box filled with background and
// the text drawn over it transparently with font, colour and flags. Its
// pixels are what a display's cell with that text must look like.
class TextPicture : public Window {
public:
    TextPicture(int width, int height, const std::string& text, FontHandle font, Colour colour,
                Colour background, unsigned flags)
        : Window("", "", WS_VISIBLE, nullptr), text(text), font(font), colour(colour),
          background(background), flags(flags) {
        setPosition(0, 0, width, height);
    }

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override {
        if (message != WM_PAINT) {
            return Window::handleMessage(hwnd, message, wParam, lParam);
        }
        DrawingContext dc = DrawingContext::forPaint(hwnd);
        Rect box = dc.clientRect();
        dc.fillSolid(box, background);
        dc.setBackgroundMode(BackgroundMode::Transparent);
        dc.setTextColour(colour);
        dc.selectFont(font);
        dc.drawText(text, box, flags);
        return 0;
    }

    std::vector<Colour> pixels() { return allPixelsOf(getHandle()); }

private:
    std::string text;
    FontHandle font;
    Colour colour;
    Colour background;
    unsigned flags;
};

// The rectangle of a window shows exactly the picture of the text.
inline std::string textDifferences(WindowHandle* hwnd, const Rect& rect, const std::string& text,
                                   FontHandle font, Colour colour, Colour background,
                                   unsigned flags) {
    TextPicture picture(rect.width(), rect.height(), text, font, colour, background, flags);
    return pixelDifferences(rect, pixelsOf(hwnd, rect), picture.pixels());
}

// Counts the paints a display receives, to prove that a change was drawn in
// place rather than by a whole repaint.
template <class Display> class PaintCounting : public Display {
public:
    using Display::Display;
    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override {
        if (message == WM_PAINT) {
            ++paints;
        }
        return Display::handleMessage(hwnd, message, wParam, lParam);
    }
    int paints = 0;
};

} // namespace tonvela::test
