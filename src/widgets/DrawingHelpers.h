#pragma once

#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"

#include <string>

// The one-pixel frames and solid fills every display is drawn with. Every
// fill leaves its colour as the context's background colour.

namespace tonvela {

void fillBox(DrawingContext& dc, int x, int y, int width, int height, Colour colour);
// A one-pixel rectangle outline in one colour.
void drawOutline(DrawingContext& dc, int x, int y, int width, int height, Colour colour);
// Top and left lines in topLeft, right and bottom lines in bottomRight; the
// interior is untouched.
void drawFrame(DrawingContext& dc, const Rect& rect, Colour topLeft, Colour bottomRight);
void drawFilledFrame(DrawingContext& dc, const Rect& rect, Colour topLeft, Colour bottomRight,
                     Colour fill);
// The four margin strips of rect, each only when its thickness is above 0;
// the side strips start below the top strip.
void fillMargins(DrawingContext& dc, const Rect& rect, int top, int left, int bottom, int right,
                 Colour colour);
void drawTextCentered(DrawingContext& dc, const std::string& text, int x, int y, int width,
                      int height);
void drawTextLeft(DrawingContext& dc, const std::string& text, int x, int y, int width, int height);

} // namespace tonvela
