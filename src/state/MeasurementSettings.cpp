#include "state/MeasurementSettings.h"

namespace tonvela {

int MeasurementSettings::harmonicsMask() const {
    int mask = 0;
    for (int i = 0; i < 6; ++i)
        if (harmonics[i])
            mask |= 1 << i;
    return mask;
}

void MeasurementSettings::setHarmonicsMask(int mask) {
    for (int i = 0; i < 6; ++i)
        harmonics[i] = ((mask >> i) & 1) != 0;
}

} // namespace tonvela
