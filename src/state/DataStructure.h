#pragma once

#include "state/DataStructureListener.h"
#include "state/MeasurementSettings.h"
#include "state/Protocol.h"
#include "tuning/CustomScaleManager.h"
#include "tuning/ToneScaleCollection.h"

#include <atomic>
#include <vector>

namespace tonvela {

// The central state: the scale settings with all temperaments, the user
// temperaments, the tune-up protocol, the selected input device and the
// measurement settings, with the listeners that learn of changes. Created on
// first use on the user-interface thread, before any worker thread exists;
// the measurement settings are loaded then. The program's own stop code saves
// them by shutdown(): nothing is written while the process's statics go.
class DataStructure {
public:
    static DataStructure& getInstance();
    // The end of the central state, called by the program's stop code (the
    // command-line tool's exit path, the application's quit path) once every
    // window and thread that uses it has gone: saves the measurement
    // settings, then the user temperaments, and destroys the instance. Does
    // nothing when there is none; the next getInstance() builds a fresh one.
    static void shutdown();
    // The same as shutdown(), for tests that start each case afresh.
    static void destroyInstance();
    // Whether an instance exists now; never creates one.
    static bool hasInstance();

    virtual ~DataStructure();
    DataStructure(const DataStructure&) = delete;
    DataStructure& operator=(const DataStructure&) = delete;

    void addListener(DataStructureListener* listener);
    void removeListener(DataStructureListener* listener);
    void notifyListeners(int event);

    // Atomic: the analysis thread reads it whenever it takes the capture driver.
    int getInputDevice() const { return inputDevice; }
    void setInputDevice(int number);

    void getMeasurementSettings(MeasurementSettings& out) const;
    void setMeasurementSettings(const MeasurementSettings& in);
    void getHarmonics(bool& h1, bool& h15, bool& h2, bool& h225, bool& h3, bool& h4) const;

    ToneScaleCollection& getToneScales() { return toneScales; }
    const ToneScaleCollection& getToneScales() const { return toneScales; }
    CustomScaleManager& getCustomScales() { return customScales; }
    const CustomScaleManager& getCustomScales() const { return customScales; }
    Protocol& getProtocol() { return protocol; }
    const Protocol& getProtocol() const { return protocol; }

    // On the thread that owns the central state only. The analysis thread
    // measures with its own copy of the settings, handed over at each
    // MeasurementSettingsChanged.
    int getAccuracy() const { return measurementSettings.accuracy; }
    float getCalibIn() const { return measurementSettings.calibIn; }
    float getCalibOut() const { return measurementSettings.calibOut; }
    int getAutoSwap() const { return measurementSettings.autoSwap; }
    int getAutoMeasure() const { return measurementSettings.autoMeasure; }

private:
    DataStructure();

    void loadMeasurementSettings();
    void saveMeasurementSettings() const;

    // Declared in the order of construction; members go in reverse order, so
    // the protocol goes before the user temperaments and these before the
    // scale settings they were handed to.
    std::vector<DataStructureListener*> listeners;
    ToneScaleCollection toneScales;
    CustomScaleManager customScales{toneScales};
    Protocol protocol;
    std::atomic<int> inputDevice{-1};
    MeasurementSettings measurementSettings;
};

} // namespace tonvela
