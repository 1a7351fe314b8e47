#pragma once

#include "analysis/AnalyzerStd.h"
#include "runtime/Thread.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tonvela {

// A second thread with an analyzer of its own that measures passes beside
// the analysis thread. Offline, time passes only between passes, so several
// passes see the same sound and the processor's cores can share them; live,
// the passes are spread over time and the worker is not used.
class PassWorker : public Thread {
public:
    PassWorker();
    ~PassWorker() override;

    // Measures every planned pass: the calling thread with analyzer and this
    // thread with its own each take the next pass not yet taken. Returns when
    // all are measured.
    void measure(std::vector<AnalyzerStd::Pass>& passes, AnalyzerStd& analyzer);

protected:
    void run() override;

private:
    // Measures passes with analyzer until none is left (lock held on entry and exit).
    void takePasses(AnalyzerStd& analyzer, std::unique_lock<std::mutex>& guard);

    AnalyzerStd own;
    std::mutex lock;
    std::condition_variable wake;
    std::condition_variable idle;
    bool running = true;
    // The batch in hand, numbered so a late wake-up finds nothing left of an
    // earlier one.
    std::uint64_t batch = 0;
    std::vector<AnalyzerStd::Pass>* passes = nullptr;
    std::size_t next = 0;
    int busy = 0;
};

} // namespace tonvela
