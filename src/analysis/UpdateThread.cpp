#include "analysis/UpdateThread.h"

#include "audio/CaptureDriverManager.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tonvela {

UpdateThread::UpdateThread(AnalysisClock* clock) : clock(clock ? clock : &realClock) {
    setPriority(-2);
    DataStructure& state = DataStructure::getInstance();
    dataChanged(DataStructureListener::MeasurementSettingsChanged);
    state.addListener(this);
}

UpdateThread::~UpdateThread() {
    stop();
    // The central state may have been shut down before its listeners.
    if (DataStructure::hasInstance())
        DataStructure::getInstance().removeListener(this);
}

void UpdateThread::dataChanged(int event) {
    if (event != DataStructureListener::MeasurementSettingsChanged)
        return;
    MeasurementSettings current;
    DataStructure::getInstance().getMeasurementSettings(current);
    setMeasurementSettings(current);
}

void UpdateThread::setMeasurementSettings(const MeasurementSettings& newSettings) {
    auto copy = std::make_shared<const MeasurementSettings>(newSettings);
    Guard guard(lock);
    settings = std::move(copy);
}

std::shared_ptr<const MeasurementSettings> UpdateThread::currentSettings() {
    Guard guard(lock);
    return settings;
}

void UpdateThread::setReceiver(ResultReceiver* newReceiver) {
    receiver = newReceiver;
}

void UpdateThread::setTarget(const TargetData* newTarget) {
    std::shared_ptr<const TargetData> copy;
    if (newTarget != nullptr)
        copy = std::make_shared<const TargetData>(*newTarget);
    Guard guard(lock);
    target = std::move(copy);
}

std::shared_ptr<const TargetData> UpdateThread::currentTarget() {
    Guard guard(lock);
    return target;
}

void UpdateThread::stop() {
    running = false;
    join();
}

void UpdateThread::post(std::unique_ptr<AnalysisResultIfc> result) {
    // Without a receiver the record is destroyed here.
    if (ResultReceiver* r = receiver.load())
        r->deliver(std::move(result));
}

void UpdateThread::sleepFor(int milliseconds) {
    if (milliseconds >= 1 && milliseconds <= 9999)
        clock->sleep(milliseconds);
}

int UpdateThread::pauseAfterPass(int passCount, int elapsedMs) {
    // The rest of the period, spread evenly over the passes still to come.
    return (CADENCE_MS - elapsedMs) / (PASSES - passCount);
}

int UpdateThread::heldPasses(int passCount, int elapsedMs, int& slept) const {
    int count = 0;
    for (int done = passCount; done < PASSES; ++done) {
        if (count > 0) {
            const int pause = pauseAfterPass(done, elapsedMs);
            if (pause >= 1 && pause <= 9999) {
                elapsedMs += pause;
                slept += pause;
            }
        }
        if (!clock->holdsInput(slept))
            break;
        ++count;
    }
    return count;
}

void UpdateThread::dropAhead() {
    if (!ahead)
        return;
    ahead.reset();
    srand(drawsBeforeAhead);
}

void UpdateThread::run() {
    std::uint32_t t0 = clock->now();
    std::unique_ptr<AnalysisResultStd> record;
    std::shared_ptr<const MeasurementSettings> recordSettings;
    const auto elapsed = [&] { return static_cast<int>(clock->now() - t0); };
    const auto newRecord = [](const TargetData& t, const MeasurementSettings& s) {
        if (s.accuracy == MeasurementSettings::Standard)
            return std::make_unique<AnalysisResultStd>(t, 200, 1.0f);
        return std::make_unique<AnalysisResultStd>(t, 400, 0.5f);
    };
    while (running) {
        const std::shared_ptr<const TargetData> t = currentTarget();
        if (!t || !(t->frequency > 0.0f)) {
            dropAhead();
            clock->sleep(IDLE_MS);
            continue;
        }
        const std::shared_ptr<const MeasurementSettings> s = currentSettings();
        if (s->accuracy == MeasurementSettings::MostAccurate) {
            dropAhead();
            // A Standard record left unfinished by the change of mode would
            // mix old passes with new ones if it were taken up again later.
            record.reset();
            CaptureDriver& driver = *CaptureDriverManager::getInstance().getDriver();
            std::unique_ptr<AnalysisResultPro> result = analyzerPro.analyze(*t, driver, *s);
            wideSearch.markPlayed(*result, driver);
            result->setIntervalMs(CADENCE_MS);
            post(std::move(result));
            sleepFor(CADENCE_MS - elapsed());
            t0 = clock->now();
            continue;
        }
        // A record keeps the shape and the settings it was created with until
        // its last pass.
        bool measured = false;
        if (!record) {
            if (ahead && t == aheadTarget && s == aheadSettings) {
                record = std::move(ahead);
                passes.swap(aheadPasses);
                measured = true;
            } else {
                dropAhead();
                record = newRecord(*t, *s);
            }
            recordSettings = s;
        }
        CaptureDriver& driver = *CaptureDriverManager::getInstance().getDriver();
        if (!measured) {
            // Passes that see the same sound (offline, where time passes only
            // between passes) are measured side by side; each takes its
            // random draws in turn first, so it comes out as it would alone.
            // The last passes of a record see the sound of the first ones of
            // the next, which are measured with them: their draws are taken
            // back should anything else draw before them (the wide search of
            // an invalid record, or another target or mode).
            int slept = 0;
            const int count = std::max(1, heldPasses(record->getPassCount(), elapsed(), slept));
            passes.resize(static_cast<std::size_t>(count));
            for (AnalyzerStd::Pass& pass : passes)
                analyzerStd.plan(*record, driver, *recordSettings, pass);
            const int more = record->getPassCount() + count == PASSES ? heldPasses(0, 0, slept) : 0;
            if (more > 0) {
                drawsBeforeAhead = randState();
                ahead = newRecord(*t, *s);
                aheadTarget = t;
                aheadSettings = s;
                passes.resize(static_cast<std::size_t>(count + more));
                for (int i = count; i < count + more; ++i)
                    analyzerStd.plan(*ahead, driver, *s, passes[i]);
            }
            if (passes.size() == 1) {
                analyzerStd.measure(passes[0]);
            } else {
                if (!worker)
                    worker = std::make_unique<PassWorker>();
                worker->measure(passes, analyzerStd);
            }
            aheadPasses.assign(std::make_move_iterator(passes.begin() + count),
                               std::make_move_iterator(passes.end()));
            passes.resize(static_cast<std::size_t>(count));
        }
        for (const AnalyzerStd::Pass& pass : passes) {
            AnalyzerStd::apply(pass, *record);
            record->setPassCount(record->getPassCount() + 1);
            if (record->getPassCount() < PASSES)
                sleepFor(pauseAfterPass(record->getPassCount(), elapsed()));
        }
        if (record->getPassCount() < PASSES)
            continue;
        record->evaluate();
        // The wide search reads the ring for an invalid record, drawing its
        // read's jitter before the next record's passes.
        if (!record->isValid())
            dropAhead();
        wideSearch.markPlayed(*record, *CaptureDriverManager::getInstance().getDriver());
        record->setIntervalMs(CADENCE_MS);
        post(std::move(record));
        t0 = clock->now();
    }
    dropAhead();
    worker.reset();
}

} // namespace tonvela
