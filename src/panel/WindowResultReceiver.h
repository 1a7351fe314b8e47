#pragma once

#include "analysis/ResultReceiver.h"
#include "platform/gui/GuiTypes.h"

namespace tonvela {

// Hands the analysis thread's results to the panel's window: each is posted
// as WM_ANALYSIS_RESULT and arrives in the window's handleMessage as wParam,
// which then owns it. A result whose window has gone is destroyed.
class WindowResultReceiver : public ResultReceiver {
public:
    explicit WindowResultReceiver(WindowHandle* window) : window(window) {}
    void deliver(std::unique_ptr<AnalysisResultIfc> result) override;

private:
    WindowHandle* window;
};

} // namespace tonvela
