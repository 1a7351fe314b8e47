#pragma once

#include "panel/Scale.h"
#include "widgets/Window.h"

namespace tonvela {

class AnalysisResultIfc;

// The deviation display: a cent ruler and under it a green bar from the
// ruler's zero to the measured deviation. A new result repaints only where
// the old and the new bar lie.
class DeviationControl : public Window {
public:
    // resources: borrowed, outlives the display.
    DeviationControl(WindowHandle* parent, const ResourceManager& resources);
    ~DeviationControl() override = default;
    DeviationControl(const DeviationControl&) = delete;
    DeviationControl& operator=(const DeviationControl&) = delete;

    // The result shown, or null; not owned.
    void setResult(const AnalysisResultIfc* r);
    // 20 cents across the ruler instead of 80.
    void setZoom(bool on);

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;

    const Scale& getRuler() const { return ruler; }
    // Where the bar was last placed; meaningful while isBarVisible().
    Rect getBar() const { return bar; }
    bool isBarVisible() const { return barVisible; }

private:
    void computeBar(const Rect& client);
    void invalidateBar(const Rect& r);
    void paint();

    Colour backgroundColour = rgb(0, 0, 0);
    Colour frameTopLeft = rgb(80, 83, 133);
    Colour frameBottomRight = rgb(255, 255, 255);
    Colour barFill = rgb(0, 196, 0);
    Colour barTopLeft = rgb(105, 255, 105);
    Colour barBottomRight = rgb(0, 117, 0);
    int rulerHeight = 35;
    int barGap = 1;
    int barBottomInset = 6;
    Scale ruler;
    const AnalysisResultIfc* result = nullptr;
    Rect bar;
    bool barVisible = false;
};

} // namespace tonvela
