#include "panel/Scale.h"

#include "platform/gui/DrawingContext.h"
#include "runtime/NumberText.h"
#include "widgets/ResourceManager.h"

#include <cmath>

namespace tonvela {

namespace {

constexpr unsigned LABEL_FLAGS = DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP;

// A pixel offset as an int; far-off or undefined values stay far off the
// ruler instead of overflowing the conversion.
int toPixels(float value) {
    if (std::isnan(value))
        return 0;
    if (value > 1.0e6f)
        return 1000000;
    if (value < -1.0e6f)
        return -1000000;
    return static_cast<int>(value);
}

} // namespace

Scale::Scale(const ResourceManager& resources)
    : font(resources.normalFont), captionFont(resources.smallFont) {}

void Scale::setGeometry(int newLeft, int newTop, int newWidth, int newHeight) {
    left = newLeft;
    top = newTop;
    width = newWidth;
    height = newHeight;
}

int Scale::positionOf(float cents) const {
    const int range = zoom ? narrowRange : wideRange;
    if (range == 0)
        return left + width / 2;
    return left + width / 2 +
           toPixels(cents / static_cast<float>(range) * static_cast<float>(width));
}

int Scale::tickStep() const {
    const float x = static_cast<float>(wideRange * 6) / static_cast<float>(width);
    if (x <= 1.0f)
        return 1;
    if (x <= 2.0f)
        return 2;
    if (x <= 5.0f)
        return 5;
    if (x <= 10.0f)
        return 10;
    if (x <= 20.0f)
        return 20;
    if (x <= 50.0f)
        return 50;
    if (x <= 100.0f)
        return 100;
    return 200;
}

int Scale::labelInterval() const {
    if (wideRange == 0)
        return 10;
    return width * tickStep() / wideRange > 8 ? 5 : 10;
}

void Scale::drawTick(DrawingContext& dc, int position, int length) const {
    const int baseline = top + height;
    dc.fillSolid({position, baseline - length, position + 1, baseline}, tickColour);
}

void Scale::draw(DrawingContext& dc) const {
    dc.setTextColour(textColour);
    dc.setBackgroundColour(tickColour);
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.selectFont(font);

    const int step = tickStep();
    const int interval = labelInterval();
    const int baseline = top + height;

    const int zero = positionOf(0.0f);
    drawTick(dc, zero, 10);
    Rect zeroRect{zero - 100, baseline - 100, zero + 102, baseline - 10};
    dc.drawText("0", zeroRect, LABEL_FLAGS);

    const int end = left + width - 10;
    for (int i = 1;; ++i) {
        const int cents = i * step;
        const int p = positionOf(static_cast<float>(cents));
        if (p > end)
            break;
        const int length = i % 5 == 0 ? 10 : 5;
        const bool labelled = i % interval == 0;
        drawTick(dc, p, length);
        if (labelled) {
            Rect rect{p - 100, baseline - 100, p + 102, baseline - 10};
            dc.drawText(NumberText::integer(cents), rect, LABEL_FLAGS);
        }
        const int q = positionOf(static_cast<float>(-cents));
        drawTick(dc, q, length);
        if (labelled) {
            Rect rect{q - 100, baseline - 100, q + 100, baseline - 10};
            dc.drawText(NumberText::integer(-cents), rect, LABEL_FLAGS);
        }
    }

    dc.selectFont(captionFont);
    Rect captionRect{left + width - 30, baseline - 100, left + width, baseline - 10};
    dc.drawText("Cent", captionRect, LABEL_FLAGS);
}

} // namespace tonvela
