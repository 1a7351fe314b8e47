#pragma once

#include "widgets/Window.h"

namespace tonvela {

class AnalysisResultIfc;

// The strobe: a row of green cells in which a band of lit cells drifts right
// while the tone is sharp and left while it is flat, two cells a second per
// cent of deviation (eight when zoomed), standing still when in tune. It
// animates on its own 50 ms timer and repaints only the cells that change.
class StrobeControl : public Window {
public:
    static constexpr unsigned TICK_MS = 50;

    explicit StrobeControl(WindowHandle* parent);
    ~StrobeControl() override;
    StrobeControl(const StrobeControl&) = delete;
    StrobeControl& operator=(const StrobeControl&) = delete;

    // The result shown, or null; not owned. A result replacing another keeps
    // the band where it is, moving on at the new speed.
    void setResult(const AnalysisResultIfc* r);
    // Four times faster from the next tick on.
    void setZoom(bool on) { zoom = on; }
    // While the panel holds an earlier result (nothing is being measured),
    // the band stands still where it is.
    void setHeld(bool on) { held = on; }
    bool isHeld() const { return held; }

    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override;

    int getCellCount() const { return cellCount; }
    int getLitCount() const { return litCount; }
    int getFirstLit() const { return firstLit; }
    // The client rectangle of cell i, as drawn.
    Rect cellRect(int i) const;
    bool isLit(int i) const;

private:
    void computeCells(const Rect& client);
    void computeLitCount();
    void paint();
    void tick();
    void moveBand(int n);

    Colour backgroundColour = rgb(0, 0, 0);
    Colour frameTopLeft = rgb(80, 83, 133);
    Colour frameBottomRight = rgb(255, 255, 255);
    Colour litFill = rgb(0, 196, 0);
    Colour litTopLeft = rgb(105, 255, 105);
    Colour litBottomRight = rgb(0, 117, 0);
    Colour darkFill = rgb(0, 64, 0);
    Colour darkTopLeft = rgb(1, 84, 1);
    Colour darkBottomRight = rgb(0, 46, 0);
    int cellGap = 1;
    int inset = 5;
    int cellWidth = 10;
    float litFraction = 0.2f;
    int cellOffset = 0;
    int cellCount = 1;
    int litCount = 0;
    int firstLit = 0;
    const AnalysisResultIfc* result = nullptr;
    float phase = 0.0f;
    bool zoom = false;
    bool held = false;
    unsigned timerId = 0;
    // The client rectangle of the last size.
    Rect client;
};

} // namespace tonvela
