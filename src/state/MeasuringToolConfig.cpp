#include "state/MeasuringToolConfig.h"

#include "platform/store/Settings.h"

namespace tonvela {

namespace {

// A first start shows everything but the deviation display.
constexpr int DefaultMask = 115;

} // namespace

void MeasuringToolConfig::load() {
    const Settings settings("settings");
    fromMask(settings.readInt("mtool", DefaultMask));
}

void MeasuringToolConfig::save() const {
    Settings settings("settings");
    settings.writeInt("mtool", toMask());
}

int MeasuringToolConfig::toMask() const {
    const bool flags[] = {showTuningInfo, showStrobe,   showDeviation,   reservedFlag, showChart,
                          showProtocol,   showKeyboard, keyboardTwoRows, zoom};
    int mask = 0;
    for (int bit = 0; bit < 9; ++bit)
        if (flags[bit])
            mask |= 1 << bit;
    return mask;
}

void MeasuringToolConfig::fromMask(int mask) {
    bool* const flags[] = {&showTuningInfo, &showStrobe,      &showDeviation,
                           &reservedFlag,   &showChart,       &showProtocol,
                           &showKeyboard,   &keyboardTwoRows, &zoom};
    for (int bit = 0; bit < 9; ++bit)
        *flags[bit] = ((mask >> bit) & 1) != 0;
}

} // namespace tonvela
