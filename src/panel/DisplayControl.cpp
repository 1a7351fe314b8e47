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
    centsUnit.setText("Cent");
    frequencyUnit.setText("Hz");
    targetFrequencyUnit.setText("Hz");
    targetName.setText(target.name);
    targetFrequency.setText(target.frequencyText());
    resultCents.setText("-");
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

void DisplayControl::retext(DrawingContext& dc, Label& label, const std::string& text) {
    const Rect old = label.inkArea(dc);
    invalidateRect(getHandle(), &old);
    label.setText(text);
    const Rect now = label.inkArea(dc);
    invalidateRect(getHandle(), &now);
}

void DisplayControl::setResult(const AnalysisResultIfc* r) {
    DrawingContext dc = DrawingContext::forWindow(getHandle());
    retext(dc, resultCents, r ? r->getCentsText() : std::string("-"));
    retext(dc, resultFrequency, r ? r->getFrequencyText() : std::string());
}

void DisplayControl::setHeld(bool on) {
    if (on == held)
        return;
    held = on;
    // The same texts in the other shade.
    DrawingContext dc = DrawingContext::forWindow(getHandle());
    for (const Label* label : {&resultCents, &resultFrequency}) {
        const Rect area = label->inkArea(dc);
        invalidateRect(getHandle(), &area);
    }
}

void DisplayControl::setTarget(const TargetData& copy) {
    if (copy.equals(target))
        return;
    target.note = copy.note;
    target.frequency = copy.frequency;
    target.name = copy.name;
    DrawingContext dc = DrawingContext::forWindow(getHandle());
    retext(dc, targetName, target.name);
    retext(dc, targetFrequency, target.frequencyText());
}

void DisplayControl::paint() {
    DrawingContext dc = DrawingContext::forPaint(getHandle());
    drawFilledFrame(dc, dc.clientRect(), frameTopLeft, frameBottomRight, backgroundColour);
    prepare(dc);
    dc.setTextColour(unitColour);
    centsUnit.draw(dc);
    frequencyUnit.draw(dc);
    targetFrequencyUnit.draw(dc);
    dc.setTextColour(targetColour);
    targetName.draw(dc);
    targetFrequency.draw(dc);
    dc.setTextColour(held ? heldColour : resultColour);
    resultCents.draw(dc);
    resultFrequency.draw(dc);
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
