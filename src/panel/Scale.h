#pragma once

#include "platform/gui/GuiTypes.h"

namespace tonvela {

class DrawingContext;
class ResourceManager;

// The cent ruler: white tick marks with numeric labels and the caption
// "Cent" along a horizontal axis, and the mapping from cents to pixel
// columns that the bar and the chart drawn beside it use.
class Scale {
public:
    // The labels in the normal font, the caption in the small one.
    explicit Scale(const ResourceManager& resources);
    virtual ~Scale() = default;

    void setWideRange(int cents) { wideRange = cents; }
    void setNarrowRange(int cents) { narrowRange = cents; }
    void setZoom(bool on) { zoom = on; }
    bool isZoomed() const { return zoom; }
    // The ruler covers width pixels from left; its tick marks stand on the
    // baseline at top + height.
    void setGeometry(int left, int top, int width, int height);

    // The pixel column of cents: the middle of the ruler is 0, and the ruler
    // spans half the current range on each side.
    int positionOf(float cents) const;

    // Leaves the background mode transparent, the text colour white and the
    // small font selected.
    void draw(DrawingContext& dc) const;

    // Cents between two tick marks; it depends on the wide range only, so
    // zooming spreads the same ticks further apart.
    int tickStep() const;
    // Every how many ticks a label stands.
    int labelInterval() const;

private:
    void drawTick(DrawingContext& dc, int position, int length) const;

    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int wideRange = 400;
    int narrowRange = 100;
    bool zoom = false;
    FontHandle font;
    FontHandle captionFont;
    Colour textColour = rgb(255, 255, 255);
    Colour tickColour = rgb(255, 255, 255);
};

} // namespace tonvela
