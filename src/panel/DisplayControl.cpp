#include "panel/DisplayControl.h"

#include "analysis/AnalysisResultIfc.h"
#include "platform/gui/DrawingContext.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "widgets/DrawingHelpers.h"
#include "widgets/ResourceManager.h"

namespace tonvela {

DisplayControl::DisplayControl(WindowHandle* parent, const ResourceManager& resources)
    : Window("", "", WS_CHILD | WS_VISIBLE, parent, 0), targetName(resources.largeFont),
      targetFrequency(resources.mediumFont), resultCents(resources.largeFont),
      resultFrequency(resources.mediumFont), centsUnit(resources.smallFont),
      frequencyUnit(resources.smallFont), targetFrequencyUnit(resources.smallFont) {
    for (Label* label : {&targetName, &targetFrequency, &resultCents, &resultFrequency})
        label->setAlignment(LabelAlignment::Right, LabelAlignment::Bottom);
    for (Label* label : {&centsUnit, &frequencyUnit, &targetFrequencyUnit})
        label->setAlignment(LabelAlignment::Left, LabelAlignment::Bottom);
}

void DisplayControl::placeLabels(int width) {
    const int x0 = width / 2 + centreOffset;
    const int resultX = x0 + columnStep;
    const int unitX = resultX + unitStep;
    targetName.setAnchor(x0, upperBaseline);
    targetFrequency.setAnchor(x0, lowerBaseline);
    resultCents.setAnchor(resultX, upperBaseline);
    resultFrequency.setAnchor(resultX, lowerBaseline);
    centsUnit.setAnchor(unitX, upperBaseline - 10);
    frequencyUnit.setAnchor(unitX, lowerBaseline - 2);
    targetFrequencyUnit.setAnchor(unitX - 124, lowerBaseline - 2);
}

void DisplayControl::prepare(DrawingContext& dc) const {
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.setBackgroundColour(backgroundColour);
}

void DisplayControl::drawResult(DrawingContext& dc) {
    dc.setTextColour(held ? heldColour : resultColour);
    resultCents.draw(dc, result ? result->getCentsText() : std::string("-"));
    resultFrequency.draw(dc, result ? result->getFrequencyText() : std::string());
}

void DisplayControl::drawTarget(DrawingContext& dc) {
    dc.setTextColour(targetColour);
    targetName.draw(dc, target.name);
    targetFrequency.draw(dc, target.frequencyText());
}

void DisplayControl::setResult(const AnalysisResultIfc* r) {
    result = r;
    DrawingContext dc = DrawingContext::forWindow(getHandle());
    prepare(dc);
    drawResult(dc);
}

void DisplayControl::setHeld(bool on) {
    if (on == held)
        return;
    held = on;
    DrawingContext dc = DrawingContext::forWindow(getHandle());
    prepare(dc);
    drawResult(dc);
}

void DisplayControl::setTarget(const TargetData& copy) {
    if (copy.equals(target))
        return;
    target.note = copy.note;
    target.frequency = copy.frequency;
    target.name = copy.name;
    DrawingContext dc = DrawingContext::forWindow(getHandle());
    prepare(dc);
    drawTarget(dc);
}

void DisplayControl::paint() {
    DrawingContext dc = DrawingContext::forPaint(getHandle());
    drawFilledFrame(dc, dc.clientRect(), frameTopLeft, frameBottomRight, backgroundColour);
    prepare(dc);
    dc.setTextColour(unitColour);
    centsUnit.draw(dc, "Cent");
    frequencyUnit.draw(dc, "Hz");
    targetFrequencyUnit.draw(dc, "Hz");
    drawTarget(dc);
    drawResult(dc);
}

LResult DisplayControl::handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                      LParam lParam) {
    switch (message) {
    case WM_SIZE:
        placeLabels(getClientRect(hwnd).width());
        break;
    case WM_PAINT:
        paint();
        return 0;
    default:
        break;
    }
    return defWindowProc(hwnd, message, wParam, lParam);
}

} // namespace tonvela
