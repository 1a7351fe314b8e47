#pragma once

#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"

#include <string>

namespace tonvela {

// Horizontally only Center and Right act, vertically only Center and Bottom;
// every other code means left or top.
enum class LabelAlignment : int { Top = 0, Bottom = 1, Center = 2, Left = 3, Right = 4 };

// One line of text at an anchor point. It keeps its text; the owner paints it
// in its paint path, and when the text changes repaints where the old text
// stood and where the new one goes. The owner sets the text colour and
// background mode.
class Label {
public:
    explicit Label(FontHandle font) : font(font) {}

    void setAnchor(int x, int y);
    void setAlignment(LabelAlignment horizontal, LabelAlignment vertical);
    void setFont(FontHandle font) { this->font = font; }
    void setText(const std::string& text) { this->text = text; }

    // Where the text stands: the text's width and the font's cell height,
    // placed by the alignment. Leaves the label's font selected.
    Rect place(DrawingContext& dc) const;
    // Where drawing the text may leave ink: its place and, beside it, room
    // for glyphs that reach past their advance (the bold "4").
    Rect inkArea(DrawingContext& dc) const;
    void draw(DrawingContext& dc);

    FontHandle getFont() const { return font; }
    const std::string& getText() const { return text; }
    // Where the text was last drawn.
    const Rect& getLastRect() const { return lastRect; }

private:
    int x = 0;
    int y = 0;
    std::string text;
    Rect lastRect;
    LabelAlignment hAlign = LabelAlignment::Left;
    LabelAlignment vAlign = LabelAlignment::Top;
    FontHandle font;
};

} // namespace tonvela
