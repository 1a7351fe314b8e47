#include "analysis/UpdateThread.h"

#include "audio/CaptureDriverManager.h"
#include "state/DataStructure.h"

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

void UpdateThread::run() {
    std::uint32_t t0 = clock->now();
    std::unique_ptr<AnalysisResultStd> record;
    std::shared_ptr<const MeasurementSettings> recordSettings;
    const auto elapsed = [&] { return static_cast<int>(clock->now() - t0); };

    while (running) {
        const std::shared_ptr<const TargetData> t = currentTarget();
        if (!t || !(t->frequency > 0.0f)) {
            clock->sleep(IDLE_MS);
            continue;
        }
        const std::shared_ptr<const MeasurementSettings> s = currentSettings();
        if (s->accuracy == MeasurementSettings::MostAccurate) {
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
        if (!record) {
            recordSettings = s;
            if (s->accuracy == MeasurementSettings::Standard)
                record = std::make_unique<AnalysisResultStd>(*t, 200, 1.0f);
            else
                record = std::make_unique<AnalysisResultStd>(*t, 400, 0.5f);
        }
        analyzerStd.analyze(*record, *CaptureDriverManager::getInstance().getDriver(),
                            *recordSettings);
        record->setPassCount(record->getPassCount() + 1);
        if (record->getPassCount() < PASSES) {
            sleepFor((CADENCE_MS - elapsed()) / (PASSES - record->getPassCount()));
            continue;
        }
        record->evaluate();
        wideSearch.markPlayed(*record, *CaptureDriverManager::getInstance().getDriver());
        record->setIntervalMs(CADENCE_MS);
        post(std::move(record));
        t0 = clock->now();
    }
}

} // namespace tonvela
