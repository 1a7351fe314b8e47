#include "platform/gui/WindowResultReceiver.h"

#include "platform/gui/WindowSystem.h"

namespace tonvela {

void WindowResultReceiver::postMessage(unsigned int message,
                                       std::unique_ptr<AnalysisResultIfc> payload) {
    postMessageOwned(window, message, std::move(payload));
}

} // namespace tonvela
