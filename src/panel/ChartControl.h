#pragma once

#include "analysis/AnalysisResultIfc.h"
#include "panel/Scale.h"
#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"
#include "widgets/Window.h"

#include <vector>

namespace tonvela {

// The spectrum of the last analysis around the target note: a green curve
// of level over cents under a cent ruler of 400 cents (100 zoomed). A clean
// tone shows one narrow peak; its distance from the ruler's zero is the
// deviation.
class ChartControl : public Window {
public:
    // resources: borrowed, outlives the display.
    ChartControl(WindowHandle* parent, const ResourceManager& resources);
    ~ChartControl() override;

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;

    // The result shown, or null; not owned, and read again when the zoom
    // changes. Repaints the plot.
    void setResult(const AnalysisResultIfc* r);
    void setZoom(bool on);

    const Scale& getRuler() const { return ruler; }
    // The drawn curve, one point per bin of the result; empty without one.
    std::vector<Point> curve() const;

    const Colour backgroundColour = rgb(0, 0, 0);
    const Colour frameTopLeft = rgb(80, 83, 133);
    const Colour frameBottomRight = rgb(255, 255, 255);
    const Pen curvePen = Pen::solid(0, rgb(0, 255, 0));
    const int rulerHeight = 35;
    const int plotGap = 2;
    const int plotBottomInset = 10;

private:
    void computePoints(const Rect& client);
    // Where the curve is drawn: inside the frame, below the ruler.
    Rect plotRect(const Rect& client) const;

    Scale ruler;
    const AnalysisResultIfc* result = nullptr;
    std::vector<Point> points;
    int pointCount = 0;
    bool curveValid = false;
};

} // namespace tonvela
