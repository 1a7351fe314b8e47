#include "state/DataStructure.h"

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

void DataStructure::destroyInstance() { instanceSlot().reset(); }

DataStructure::DataStructure() = default;

DataStructure::~DataStructure() = default;

void DataStructure::addListener(DataStructureListener* listener) { listeners.push_back(listener); }

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
