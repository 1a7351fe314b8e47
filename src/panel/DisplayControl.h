#pragma once

#include "analysis/TargetData.h"
#include "widgets/Label.h"
#include "widgets/Window.h"

namespace tonvela {

class AnalysisResultIfc;
class DrawingContext;
class ResourceManager;

// The numeric display: the target note's name and frequency in red, the
// measured deviation in cents and the measured frequency in green, with their
// units. It keeps the texts it shows and paints all of them; a new result or
// target repaints only where its own two labels stand and stood.
class DisplayControl : public Window {
public:
    // resources: borrowed, outlives the display.
    DisplayControl(WindowHandle* parent, const ResourceManager& resources);
    ~DisplayControl() override = default;
    DisplayControl(const DisplayControl&) = delete;
    DisplayControl& operator=(const DisplayControl&) = delete;

    // The result shown, or null; not owned.
    void setResult(const AnalysisResultIfc* r);
    // While the panel holds an earlier result (nothing is being measured),
    // its number and frequency are drawn in a dimmer shade of their colour.
    void setHeld(bool on);
    bool isHeld() const { return held; }
    // Redraws the target only when the copy differs from the one shown.
    void setTarget(const TargetData& copy);
    const TargetData& getTarget() const { return target; }

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;

private:
    void placeLabels(int width);
    void prepare(DrawingContext& dc) const;
    // Gives the label its text and repaints where the old text stood and
    // where the new one goes.
    void retext(DrawingContext& dc, Label& label, const std::string& text);
    void paint();

    int upperBaseline = 39;
    int lowerBaseline = 57;
    int columnStep = 122;
    int unitStep = 11;
    int centreOffset = -40;
    TargetData target{0, 0.0f, ""};
    bool held = false;
    Colour backgroundColour = rgb(0, 0, 0);
    Colour frameTopLeft = rgb(80, 83, 133);
    Colour frameBottomRight = rgb(255, 255, 255);
    Colour unitColour = rgb(255, 255, 255);
    Colour targetColour = rgb(218, 0, 0);
    Colour resultColour = rgb(0, 218, 0);
    Colour heldColour = rgb(0, 109, 0);
    Label targetName;
    Label targetFrequency;
    Label resultCents;
    Label resultFrequency;
    Label centsUnit;
    Label frequencyUnit;
    Label targetFrequencyUnit;
};

} // namespace tonvela
