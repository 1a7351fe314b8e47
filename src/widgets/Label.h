#pragma once

#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"

#include <string>

namespace tonvela {

// Horizontally only Center and Right act, vertically only Center and Bottom;
// every other code means left or top.
enum class LabelAlignment : int { Top = 0, Bottom = 1, Center = 2, Left = 3, Right = 4 };

// One line of text at an anchor point that erases its previous text (with the
// context's background colour) before it draws the next. The owner sets the
// text colour and background mode.
class Label {
public:
    explicit Label(FontHandle font) : font(font) {}

    void setAnchor(int x, int y);
    void setAlignment(LabelAlignment horizontal, LabelAlignment vertical);
    void setFont(FontHandle font) { this->font = font; }
    void draw(DrawingContext& dc, const std::string& text);

    FontHandle getFont() const { return font; }
    bool isDrawn() const { return drawn; }
    // Where the text was last drawn.
    const Rect& getLastRect() const { return lastRect; }

private:
    int x = 0;
    int y = 0;
    Rect lastRect;
    bool drawn = false;
    LabelAlignment hAlign = LabelAlignment::Left;
    LabelAlignment vAlign = LabelAlignment::Top;
    FontHandle font;
};

} // namespace tonvela
