#pragma once

#include "analysis/AnalysisResultIfc.h"

#include <deque>
#include <memory>

namespace tonvela {

// The most recent results the tuner panel has shown, owned here: as many as
// cover one analysis window, plus two, so the oldest is the newest result
// whose sound lay entirely before the last window. The panel falls back on it
// when a new result is unusable. User-interface thread only.
class ResultBuffer {
public:
    ResultBuffer() = default;
    virtual ~ResultBuffer() = default;
    ResultBuffer(const ResultBuffer&) = delete;
    ResultBuffer& operator=(const ResultBuffer&) = delete;

    // Takes the record and trims the queue by the newest record's window; a
    // null record is ignored.
    void add(std::unique_ptr<AnalysisResultIfc> record);
    // The front record, still owned here; null when empty.
    AnalysisResultIfc* oldest() const;
    void clear() { records.clear(); }
    int size() const { return static_cast<int>(records.size()); }

private:
    std::deque<std::unique_ptr<AnalysisResultIfc>> records;
};

} // namespace tonvela
