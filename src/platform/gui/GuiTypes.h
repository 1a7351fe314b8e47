#pragma once

#include <cstdint>

// The window layer's own value types. Qt-free, so that displays and widgets
// see only these.

namespace tonvela {

// Identifies a window. A handle is never dereferenced: it is a number that is
// never reused during the run, so a stale handle is simply not a window.
struct WindowHandle;

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// A font made by createFont (Font.h); lives until deleteFont.
struct Font;
using FontHandle = Font*;

// An icon picture loaded by loadIcon (Icon.h); lives for the whole run.
struct Icon;
using IconHandle = const Icon*;

inline LParam toLParam(WindowHandle* handle) {
    return reinterpret_cast<LParam>(handle);
}
inline WindowHandle* handleFromLParam(LParam value) {
    return reinterpret_cast<WindowHandle*>(value);
}
inline WParam toWParam(FontHandle font) {
    return reinterpret_cast<WParam>(font);
}
inline FontHandle fontFromWParam(WParam value) {
    return reinterpret_cast<FontHandle>(value);
}
inline LParam toLParam(IconHandle icon) {
    return reinterpret_cast<LParam>(icon);
}
inline IconHandle iconFromLParam(LParam value) {
    return reinterpret_cast<IconHandle>(value);
}

constexpr unsigned loWord(std::uintptr_t value) {
    return unsigned(value & 0xFFFF);
}
constexpr unsigned hiWord(std::uintptr_t value) {
    return unsigned((value >> 16) & 0xFFFF);
}
constexpr WParam makeWParam(unsigned low, unsigned high) {
    return WParam((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}
// A point in a mouse message: x and y as 16-bit fields, x in the low word.
constexpr LParam makePointLParam(int x, int y) {
    return LParam((unsigned(x) & 0xFFFF) | ((unsigned(y) & 0xFFFF) << 16));
}
// x of a mouse message, the low word taken as a signed 16-bit number.
constexpr int pointX(LParam value) {
    return std::int16_t(std::uint16_t(value & 0xFFFF));
}
constexpr int pointY(LParam value) {
    return std::int16_t(std::uint16_t((value >> 16) & 0xFFFF));
}

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// Left and top inside, right and bottom outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr Rect offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

constexpr Colour rgb(int red, int green, int blue) {
    return {std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue)};
}

// A pen draws lines; width 0 is the thinnest line, one pixel.
struct Pen {
    enum class Style { Solid, None };
    Style style = Style::Solid;
    int width = 0;
    Colour colour;

    static constexpr Pen solid(int width, Colour colour) { return {Style::Solid, width, colour}; }
    friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

// A brush fills areas with one colour; a null brush fills nothing.
struct Brush {
    bool null = false;
    Colour colour;

    static constexpr Brush solid(Colour colour) { return {false, colour}; }
    static constexpr Brush black() { return solid(rgb(0, 0, 0)); }
    static constexpr Brush white() { return solid(rgb(255, 255, 255)); }
    static constexpr Brush none() { return {true, {}}; }
    friend constexpr bool operator==(const Brush&, const Brush&) = default;
};

} // namespace tonvela
