#pragma once

#include "analysis/AnalysisClock.h"
#include "analysis/AnalyzerPro.h"
#include "analysis/AnalyzerStd.h"
#include "analysis/ResultReceiver.h"
#include "analysis/TargetData.h"
#include "analysis/WideSearch.h"
#include "runtime/Mutex.h"
#include "runtime/Thread.h"
#include "state/DataStructureListener.h"
#include "state/MeasurementSettings.h"

#include <atomic>
#include <memory>

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

    AnalyzerStd analyzerStd;
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
