#pragma once

namespace tonvela {

// Layout flags of the tuner panel, kept in the settings as one bit mask
// ("mtool", bit n = flag n in the order below).
class MeasuringToolConfig {
public:
    virtual ~MeasuringToolConfig() = default;

    void load();
    void save() const;

    // Bits 0..8; higher bits are ignored on the way in.
    int toMask() const;
    void fromMask(int mask);

    bool showTuningInfo = true;
    bool showStrobe = true;
    bool showDeviation = true;
    bool reservedFlag = true; // kept and written back; no display reads it
    bool showChart = true;
    bool showProtocol = true;
    bool showKeyboard = true;
    bool keyboardTwoRows = false;
    bool zoom = false;
    int margin = 4;  // not persisted
    int spacing = 4; // not persisted
};

} // namespace tonvela
