#include "panel/OctaveKeyboard.h"

#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "runtime/NumberText.h"
#include "widgets/ResourceManager.h"

namespace tonvela {

namespace {

// Pitch class of each white key, C D E F G A B.
constexpr int whiteNotes[7] = {0, 2, 4, 5, 7, 9, 11};

bool isBlack(int key) {
    return key == 1 || key == 3 || key == 6 || key == 8 || key == 10;
}

// The white key index of a white pitch class.
int whiteIndex(int key) {
    for (int i = 0; i < 7; ++i) {
        if (whiteNotes[i] == key) {
            return i;
        }
    }
    return 0;
}

} // namespace

OctaveKeyboard::OctaveKeyboard(WindowHandle* parent, const ResourceManager& resources)
    : Window("", "", WS_CHILD | WS_VISIBLE, parent, 0), labelBrush(resources.backgroundBrush),
      labelFont(resources.smallFont) {}

OctaveKeyboard::~OctaveKeyboard() = default;

OctaveKeyboard::Geometry OctaveKeyboard::computeGeometry(int width, int height, int labelHeight) {
    Geometry g;
    g.keyAreaHeight = height - labelHeight;
    g.blackKeyHeight = g.keyAreaHeight * 4 / 7;
    // Seven keys share the width left by eight one-pixel lines; each takes
    // its share of what the keys to its left left over.
    int rest = width - 8;
    for (int i = 0; i < 7; ++i) {
        g.whiteWidth[i] = rest / (7 - i);
        rest -= g.whiteWidth[i];
    }
    g.whiteLeft[0] = 1;
    for (int i = 1; i < 7; ++i) {
        g.whiteLeft[i] = g.whiteLeft[i - 1] + g.whiteWidth[i - 1] + 1;
    }
    return g;
}

int OctaveKeyboard::hitTest(int x, int y, int width, int blackKeyHeight) {
    if (width <= 0) {
        return -1;
    }
    if (y > blackKeyHeight) {
        const int i = x * 7 / width;
        return i < 3 ? 2 * i : 2 * i - 1;
    }
    const int j = ((x - width / 14) * 7 / width) * 2;
    int b = j + 1;
    if (b > 11 || b < 0) {
        return -1;
    }
    if (b > 5) {
        b = j;
    }
    if (b == 5 || b > 10) {
        return -1;
    }
    return b;
}

void OctaveKeyboard::updateGeometry(const Geometry& geometry) {
    keyAreaHeight = geometry.keyAreaHeight;
    blackKeyHeight = geometry.blackKeyHeight;
}

LResult OctaveKeyboard::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                      LParam lParam) {
    switch (message) {
    case WM_PAINT: {
        DrawingContext dc = DrawingContext::forPaint(hwnd);
        paint(dc);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        const Rect client = getClientRect(hwnd);
        const Geometry geometry = computeGeometry(client.width(), client.height(), labelHeight);
        updateGeometry(geometry);
        const int key =
            hitTest(pointX(lParam), pointY(lParam), client.width(), geometry.blackKeyHeight);
        if (key >= 0) {
            setHighlight(key);
        }
        return 0;
    }
    default:
        return Window::handleMessage(hwnd, message, wParam, lParam);
    }
}

void OctaveKeyboard::paint(DrawingContext& dc) {
    const Rect client = dc.clientRect();
    const int w = client.width();
    const int h = client.height();
    const Geometry g = computeGeometry(w, h, labelHeight);
    updateGeometry(g);

    // The strip with the octave number.
    dc.fillRect({0, g.keyAreaHeight, w, h}, labelBrush);
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.setTextColour(rgb(0, 0, 0));
    dc.selectFont(labelFont);
    Rect strip{0, g.keyAreaHeight, w, h};
    dc.drawText(NumberText::integer(octave), strip,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);

    // Outline and separators; the separators beside black keys start under
    // them.
    dc.fillRect({0, 0, w, 1}, lineBrush);
    dc.fillRect({0, 1, 1, g.keyAreaHeight}, lineBrush);
    for (int i = 1; i < 7; ++i) {
        const int x = g.whiteLeft[i] - 1;
        const int top = i == 3 ? 1 : g.blackKeyHeight;
        dc.fillRect({x, top, x + 1, g.keyAreaHeight}, lineBrush);
    }
    const int rightEdge = g.whiteLeft[6] + g.whiteWidth[6];
    dc.fillRect({rightEdge, 1, rightEdge + 1, g.keyAreaHeight}, lineBrush);
    dc.fillRect({0, g.keyAreaHeight, w, g.keyAreaHeight + 1}, lineBrush);

    for (int key = 0; key < 12; ++key) {
        drawKey(dc, g, key);
    }
}

void OctaveKeyboard::drawKey(DrawingContext& dc, const Geometry& g, int key) {
    const Brush& brush = key == highlight  ? highlightBrush
                         : isBlack(key)    ? blackKeyBrush
                         : octave % 2 != 0 ? whiteKeyBrush
                                           : tintedKeyBrush;
    if (isBlack(key)) {
        dc.fillRect(keyRect(g, key), brush);
        return;
    }
    const int half = blackKeyHalfWidth;
    const int i = whiteIndex(key);
    const bool blackOnLeft = i != 0 && i != 3;
    const bool blackOnRight = i != 2 && i != 6;
    const int left = g.whiteLeft[i];
    const int right = left + g.whiteWidth[i];
    dc.fillRect(
        {left + (blackOnLeft ? half : 0), 1, right - (blackOnRight ? half : 0), g.blackKeyHeight},
        brush);
    dc.fillRect({left, g.blackKeyHeight, right, g.keyAreaHeight}, brush);
}

Rect OctaveKeyboard::keyRect(const Geometry& g, int key) const {
    if (isBlack(key)) {
        // Centred on the line left of the next white key.
        const int x = g.whiteLeft[whiteIndex(key + 1)];
        return {x - blackKeyHalfWidth - 1, 1, x + blackKeyHalfWidth, g.blackKeyHeight};
    }
    const int i = whiteIndex(key);
    return {g.whiteLeft[i], 1, g.whiteLeft[i] + g.whiteWidth[i], g.keyAreaHeight};
}

void OctaveKeyboard::setHighlight(int k) {
    if (k < -1) {
        k = -1;
    } else if (k > 11) {
        k = 11;
    }
    if (k == highlight) {
        return;
    }
    const int previous = highlight;
    highlight = k;
    const Rect client = getClientRect(handle);
    const Geometry g = computeGeometry(client.width(), client.height(), labelHeight);
    for (int key : {previous, k}) {
        if (key >= 0) {
            const Rect area = keyRect(g, key);
            invalidateRect(handle, &area);
        }
    }
    if (k >= 0) {
        sendMessage(getParent(handle), WM_TARGET_NOTE, WParam(k + 12 * octave), 0);
    }
}

} // namespace tonvela
