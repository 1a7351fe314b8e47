#pragma once

namespace tonvela {

class DataStructureListener {
public:
    enum Event { InputDeviceChanged = 0, MeasurementSettingsChanged = 1 };

    virtual ~DataStructureListener() = default;
    virtual void dataChanged(int event) = 0;
};

} // namespace tonvela
