#include "state/DataStructure.h"

#include "state/Settings.h"

#include <algorithm>
#include <memory>

namespace tonvela {

namespace {

std::unique_ptr<DataStructure>& instanceSlot() {
    static std::unique_ptr<DataStructure> instance;
    return instance;
}

} // namespace

DataStructure& DataStructure::getInstance() {
    std::unique_ptr<DataStructure>& slot = instanceSlot();
    if (!slot)
        slot.reset(new DataStructure());
    return *slot;
}

void DataStructure::shutdown() {
    std::unique_ptr<DataStructure>& slot = instanceSlot();
    if (!slot)
        return;
    // The order in which the state went when it saved on destruction: its
    // own settings first, then the user temperaments of its members.
    slot->saveMeasurementSettings();
    slot->customScales.save();
    slot.reset();
}

void DataStructure::destroyInstance() {
    shutdown();
}

bool DataStructure::hasInstance() {
    return instanceSlot() != nullptr;
}

DataStructure::DataStructure() {
    // The catalogue, the user temperaments (loaded by their store) and the
    // empty protocol exist by now; the user ones go ahead of the catalogue.
    protocol.clear();
    toneScales.setCustomScales(customScales.getSimpleScales(), customScales.getFullScales());
    loadMeasurementSettings();
}

DataStructure::~DataStructure() = default;

void DataStructure::loadMeasurementSettings() {
    const Settings settings("settings");
    measurementSettings.setHarmonicsMask(settings.readInt("harmonics", -1));
    measurementSettings.calibIn = settings.readFloat("calibIn", 0.0f);
    measurementSettings.calibOut = settings.readFloat("calibOut", 0.0f);
    measurementSettings.autoMeasure = settings.readInt("autoMeasure", 1);
    measurementSettings.accuracy = settings.readInt("accuracy", 0);
    measurementSettings.autoSwap = settings.readInt("autoSwap", 0);
}

// The only place the measurement settings reach the store: a change made
// in the dialog is kept in memory until the program's stop code runs.
void DataStructure::saveMeasurementSettings() const {
    Settings settings("settings");
    settings.writeInt("harmonics", measurementSettings.harmonicsMask());
    settings.writeFloat("calibIn", measurementSettings.calibIn);
    settings.writeFloat("calibOut", measurementSettings.calibOut);
    settings.writeInt("autoMeasure", measurementSettings.autoMeasure);
    settings.writeInt("accuracy", measurementSettings.accuracy);
    settings.writeInt("autoSwap", measurementSettings.autoSwap);
}

void DataStructure::addListener(DataStructureListener* listener) {
    listeners.push_back(listener);
}

void DataStructure::removeListener(DataStructureListener* listener) {
    const auto it = std::find(listeners.begin(), listeners.end(), listener);
    if (it != listeners.end())
        listeners.erase(it);
}

void DataStructure::notifyListeners(int event) {
    for (DataStructureListener* listener : listeners)
        listener->dataChanged(event);
}

void DataStructure::setInputDevice(int number) {
    if (number == inputDevice)
        return;
    inputDevice = number;
    notifyListeners(DataStructureListener::InputDeviceChanged);
}

void DataStructure::getMeasurementSettings(MeasurementSettings& out) const {
    out = measurementSettings;
}

void DataStructure::setMeasurementSettings(const MeasurementSettings& in) {
    measurementSettings = in;
    notifyListeners(DataStructureListener::MeasurementSettingsChanged);
}

void DataStructure::getHarmonics(bool& h1, bool& h15, bool& h2, bool& h225, bool& h3,
                                 bool& h4) const {
    const bool* h = measurementSettings.harmonics;
    h1 = h[0];
    h15 = h[1];
    h2 = h[2];
    h225 = h[3];
    h3 = h[4];
    h4 = h[5];
}

} // namespace tonvela
