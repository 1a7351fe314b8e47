#pragma once

#include "analysis/AnalysisResultIfc.h"

#include <memory>

namespace tonvela {

// What the analysis thread sees of whoever receives its results: each
// finished record is handed over with the call, from the analysis thread, so
// an implementation must be thread-safe. The panel posts it on to its window;
// the command-line tool prints it.
class ResultReceiver {
public:
    virtual ~ResultReceiver() = default;
    virtual void deliver(std::unique_ptr<AnalysisResultIfc> result) = 0;
};

} // namespace tonvela
