#pragma once

#include "analysis/AnalysisClock.h"
#include "analysis/AnalyzerPro.h"
#include "analysis/AnalyzerStd.h"
#include "analysis/PassWorker.h"
#include "analysis/ResultReceiver.h"
#include "analysis/TargetData.h"
#include "analysis/WideSearch.h"
#include "runtime/Mutex.h"
#include "runtime/Thread.h"
#include "state/DataStructureListener.h"
#include "state/MeasurementSettings.h"

#include <atomic>
#include <memory>
#include <vector>

namespace tonvela {

// The analysis thread. Keeps a cadence of one result every 400 ms: in the
// Standard and Accurate modes ten passes of the standard analyzer spread over
// the period, in the Most Accurate mode one precision analysis and a sleep for
// the rest. Each finished record is handed to the receiver, which takes it
// over.
//
// The target and the measurement settings are handed over as immutable
// copies at each change: the panel may rewrite its own record, and the
// settings dialog the central state's settings, at any time, and the thread
// only ever reads its copies, swapped under the lock. The settings follow the
// central state by themselves: the thread listens for
// MeasurementSettingsChanged from its creation on. A record of the Standard
// modes keeps the settings it was begun with until its last pass.
class UpdateThread : public Thread, private DataStructureListener {
public:
    static constexpr int CADENCE_MS = 400;
    static constexpr int PASSES = 10;
    static constexpr int IDLE_MS = 300;

    // clock: the time base, borrowed; null uses the tick clock and real
    // sleeps. The thread stays suspended until resume(). Created, and
    // destroyed, on the thread that owns the central state.
    explicit UpdateThread(AnalysisClock* clock = nullptr);
    ~UpdateThread() override;

    // Before resume(); a thread without a receiver destroys its results.
    void setReceiver(ResultReceiver* receiver);
    // Takes a copy of target for the following cycles; null (or a frequency
    // not above 0) lets the thread idle.
    void setTarget(const TargetData* target);
    // Takes a copy of settings for the following cycles; the central state's
    // own settings are taken at creation and at each change.
    void setMeasurementSettings(const MeasurementSettings& settings);
    // Clears the running flag and waits for the loop to end; the current
    // analysis or sleep finishes first.
    void stop();
    // Only clears the running flag: the loop ends after its current step.
    // Safe from any thread, also from inside the loop (a clock or receiver).
    void requestStop() { running = false; }

protected:
    void run() override;

private:
    void dataChanged(int event) override;
    std::shared_ptr<const TargetData> currentTarget();
    std::shared_ptr<const MeasurementSettings> currentSettings();
    void post(std::unique_ptr<AnalysisResultIfc> result);
    void sleepFor(int milliseconds);
    // The pause after a pass that leaves passCount passes of the record done.
    static int pauseAfterPass(int passCount, int elapsedMs);
    // How many passes of a record from the one after passCount on see the
    // sound the clock holds after slept milliseconds of pauses (those
    // between them are added to slept); elapsedMs: of the record's period.
    int heldPasses(int passCount, int elapsedMs, int& slept) const;
    // Gives up the next record's passes measured ahead, and takes back their
    // random draws.
    void dropAhead();

    AnalyzerStd analyzerStd;
    std::vector<AnalyzerStd::Pass> passes;
    // The next record, begun with the passes of the last batch that saw the
    // same sound, for the target and settings it was begun with.
    std::unique_ptr<AnalysisResultStd> ahead;
    std::vector<AnalyzerStd::Pass> aheadPasses;
    std::shared_ptr<const TargetData> aheadTarget;
    std::shared_ptr<const MeasurementSettings> aheadSettings;
    unsigned int drawsBeforeAhead = 0;
    // Made when passes first see the same sound, and ended with the loop.
    std::unique_ptr<PassWorker> worker;
    AnalyzerPro analyzerPro;
    WideSearch wideSearch;
    std::atomic<bool> running{true};
    std::shared_ptr<const TargetData> target;
    std::shared_ptr<const MeasurementSettings> settings;
    std::atomic<ResultReceiver*> receiver{nullptr};
    ThreadMutex lock;
    RealClock realClock;
    AnalysisClock* clock;
};

} // namespace tonvela
