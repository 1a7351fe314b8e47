#pragma once

#include "analysis/ResultReceiver.h"
#include "platform/gui/GuiTypes.h"

namespace tonvela {

// Hands the analysis thread's results to a window: each is posted with its
// message and arrives in the window's handleMessage as wParam, which then
// owns it. A result whose window has gone is destroyed.
class WindowResultReceiver : public ResultReceiver {
public:
    explicit WindowResultReceiver(WindowHandle* window) : window(window) {}
    void postMessage(unsigned int message, std::unique_ptr<AnalysisResultIfc> payload) override;

private:
    WindowHandle* window;
};

} // namespace tonvela
