#include "state/MeasurementSettings.h"

namespace tonvela {

int MeasurementSettings::harmonicsMask() const {
    int mask = 0;
    for (int h = 0; h < HarmonicCount; ++h)
        if (harmonics[h])
            mask |= harmonicBit(static_cast<Harmonic>(h));
    return mask;
}

void MeasurementSettings::setHarmonicsMask(int mask) {
    for (int h = 0; h < HarmonicCount; ++h)
        harmonics[h] = (mask & harmonicBit(static_cast<Harmonic>(h))) != 0;
}

} // namespace tonvela
