#include "analysis/PassWorker.h"

namespace tonvela {

PassWorker::PassWorker() {
    // As low as the analysis thread it works for.
    setPriority(-2);
    resume();
}

PassWorker::~PassWorker() {
    {
        std::lock_guard<std::mutex> guard(lock);
        running = false;
    }
    wake.notify_one();
    join();
}

void PassWorker::measure(std::vector<AnalyzerStd::Pass>& newPasses, AnalyzerStd& analyzer) {
    std::unique_lock<std::mutex> guard(lock);
    passes = &newPasses;
    next = 0;
    ++batch;
    wake.notify_one();
    takePasses(analyzer, guard);
    idle.wait(guard, [&] { return busy == 0; });
    passes = nullptr;
}

void PassWorker::takePasses(AnalyzerStd& analyzer, std::unique_lock<std::mutex>& guard) {
    while (passes != nullptr && next < passes->size()) {
        AnalyzerStd::Pass& pass = (*passes)[next++];
        ++busy;
        guard.unlock();
        analyzer.measure(pass);
        guard.lock();
        --busy;
    }
}

void PassWorker::run() {
    std::unique_lock<std::mutex> guard(lock);
    std::uint64_t seen = 0;
    while (true) {
        wake.wait(guard, [&] { return !running || batch != seen; });
        if (!running)
            return;
        seen = batch;
        takePasses(own, guard);
        if (busy == 0)
            idle.notify_one();
    }
}

} // namespace tonvela
