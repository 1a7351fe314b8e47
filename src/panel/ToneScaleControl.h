#pragma once

#include "platform/gui/DrawingContext.h"
#include "platform/gui/GuiTypes.h"
#include "tuning/ToneScaleListener.h"
#include "widgets/Window.h"

namespace tonvela {

class ResourceManager;
class ToneScaleCollection;

// The scale settings as text: temperament, keynote, standard pitch,
// calibration and octave stretch. Repainted whenever they change. Reads the
// scale settings and texts it is given; both outlive it.
class ToneScaleControl : public Window, public ToneScaleListener {
public:
    ToneScaleControl(WindowHandle* parent, ToneScaleCollection& toneScales,
                     const ResourceManager& resources);
    ~ToneScaleControl() override;

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;
    void toneScaleChanged() override;

    ToneScaleCollection& toneScales;
    const ResourceManager& resources;
    const int leftInset = 8;
    const int topInset = 3;
    const int rowHeight = 19;
    const int captionWidth = 70;
    const int valueWidth = 60;
    const int caption2Width = 70;
    // Between a caption and its value at the least.
    const int captionGap = 5;
    const Colour backgroundColour = rgb(0, 0, 0);
    const Colour frameTopLeft = rgb(80, 83, 133);
    const Colour frameBottomRight = rgb(255, 255, 255);
    const Colour captionColour = rgb(255, 255, 255);
    const Colour valueColour = rgb(255, 0, 0);
    FontHandle textFont;
    FontHandle unitFont;

private:
    void paint(DrawingContext& dc);
};

} // namespace tonvela
