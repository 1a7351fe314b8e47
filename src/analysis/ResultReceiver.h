#pragma once

#include "analysis/AnalysisResultIfc.h"
#include "runtime/Messages.h"

#include <memory>

namespace tonvela {

// What the analysis thread sees of the window that receives its results: a
// thread-safe post of a message with an owned payload, which the window layer
// delivers as the message's wParam. The payload passes to
// the receiver with the call; a message that is never delivered (the window
// is gone, the queue is shut down) destroys its payload.
class ResultReceiver {
public:
    virtual ~ResultReceiver() = default;
    virtual void postMessage(unsigned int message, std::unique_ptr<AnalysisResultIfc> payload) = 0;
};

} // namespace tonvela
