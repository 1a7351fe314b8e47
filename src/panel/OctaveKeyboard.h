#pragma once

#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"
#include "widgets/Window.h"

namespace tonvela {

class ResourceManager;

// One octave of a piano keyboard with the octave number under it. The
// highlighted key is the target note; a click on a key makes its note the
// target (WM_TARGET_NOTE to the parent).
class OctaveKeyboard : public Window {
public:
    // resources: borrowed, outlives the keyboard.
    OctaveKeyboard(WindowHandle* parent, const ResourceManager& resources);
    ~OctaveKeyboard() override;

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;

    // k is clamped to -1..11 (-1: no key). The old and the new key are
    // repainted and, when k is a key, its note is sent to the parent.
    void setHighlight(int k);
    int getHighlight() const { return highlight; }

    // Where each key lies for a client area; the white keys C D E F G A B by
    // index 0..6.
    struct Geometry {
        int keyAreaHeight = 0;
        int blackKeyHeight = 0;
        int whiteLeft[7] = {};
        int whiteWidth[7] = {};
    };
    static Geometry computeGeometry(int width, int height, int labelHeight);
    // The key 0..11 under a click, -1 for none.
    static int hitTest(int x, int y, int width, int blackKeyHeight);

    const Brush lineBrush = Brush::black();
    const Brush blackKeyBrush = Brush::black();
    const Brush whiteKeyBrush = Brush::white();
    const Brush tintedKeyBrush = Brush::solid(rgb(219, 220, 255));
    const Brush highlightBrush = Brush::solid(rgb(224, 0, 0));
    Brush labelBrush;
    FontHandle labelFont;
    int highlight = -1;
    int octave = 0;
    const int labelHeight = 15;
    int blackKeyHeight = 0;
    int keyAreaHeight = 0;
    int blackKeyHalfWidth = 3;

private:
    void paint(DrawingContext& dc);
    void updateGeometry(const Geometry& geometry);
    void drawKey(DrawingContext& dc, const Geometry& geometry, int key);
    // The area a key's fills cover (a white key's reaches under its black
    // neighbours).
    Rect keyRect(const Geometry& geometry, int key) const;
};

} // namespace tonvela
