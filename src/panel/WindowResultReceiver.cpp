#include "panel/WindowResultReceiver.h"

#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"

namespace tonvela {

void WindowResultReceiver::deliver(std::unique_ptr<AnalysisResultIfc> result) {
    postMessageOwned(window, WM_ANALYSIS_RESULT, std::move(result));
}

} // namespace tonvela
