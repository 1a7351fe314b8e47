#pragma once

#include "platform/gui/GuiTypes.h"

#include <memory>
#include <string>

namespace tonvela {

// Text flags of DrawingContext::drawText. Without DT_CENTER the text is
// left-aligned, without DT_VCENTER or DT_BOTTOM top-aligned.
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;

enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// Draws into a window's back buffer, in the window's client coordinates
// (logical pixels). Taken in WM_PAINT with forPaint (clipped to what was
// invalidated; the screen shows the buffer when painting ends) or at any
// other time with forWindow (what it draws is shown at the next repaint,
// which it schedules when it goes). Each context has its own colours, modes,
// font, pen, brush and clip, starting from: background white and opaque,
// text black, no font (the layer's default), pen black width 0, brush white.
// A context of a window that is not a FrameworkWindow draws nothing.
class DrawingContext {
public:
    static DrawingContext forPaint(WindowHandle* hwnd);
    static DrawingContext forWindow(WindowHandle* hwnd);

    DrawingContext(DrawingContext&& other) noexcept;
    DrawingContext& operator=(DrawingContext&& other) noexcept;
    ~DrawingContext();

    bool isValid() const;
    Rect clientRect() const;

    // The background colour is what opaque text and fillBackground use.
    Colour setBackgroundColour(Colour colour); // returns the previous one
    Colour getBackgroundColour() const;
    BackgroundMode setBackgroundMode(BackgroundMode mode);
    Colour setTextColour(Colour colour);

    // Fills rect with colour, which stays the background colour afterwards.
    void fillSolid(const Rect& rect, Colour colour);
    // Fills rect with the current background colour.
    void fillBackground(const Rect& rect);
    // Fills rect with brush; the background colour is untouched.
    void fillRect(const Rect& rect, const Brush& brush);

    FontHandle selectFont(FontHandle font); // returns the previous one
    FontHandle getFont() const;
    Pen selectPen(const Pen& pen);

    // One line of text in rect, placed by flags (DT_*). With DT_CALCRECT it
    // only measures: rect keeps its top-left corner and gets the text's width
    // and the font's cell height. Without DT_NOCLIP the text is clipped to
    // rect. Returns the text's height.
    int drawText(const std::string& text, Rect& rect, unsigned flags);
    // The size of one line of text in the selected font (height = the cell).
    Point measureText(const std::string& text) const;

    // Lines through count points with the selected pen.
    void polyline(const Point* points, int count);

    // Narrows the clip region to its intersection with rect.
    void intersectClipRect(const Rect& rect);
    Rect getClipRect() const;

    struct State;

private:
    explicit DrawingContext(std::unique_ptr<State> state);
    std::unique_ptr<State> state;
};

} // namespace tonvela
