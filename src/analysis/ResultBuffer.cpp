#include "analysis/ResultBuffer.h"

namespace tonvela {

void ResultBuffer::add(std::unique_ptr<AnalysisResultIfc> record) {
    if (!record)
        return;
    const int window = record->getWindowMs();
    const int interval = record->getIntervalMs();
    // A record without its interval (not yet delivered) would divide by zero;
    // it keeps only the two records the buffer always holds.
    const long long limit = interval > 0 ? window / interval : 0;
    records.push_back(std::move(record));
    while (static_cast<long long>(records.size()) > limit + 2)
        records.pop_front();
}

AnalysisResultIfc* ResultBuffer::oldest() const {
    return records.empty() ? nullptr : records.front().get();
}

} // namespace tonvela
