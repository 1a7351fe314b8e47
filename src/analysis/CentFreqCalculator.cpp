#include "analysis/CentFreqCalculator.h"

#include <cmath>

namespace tonvela {

float CentFreqCalculator::frequencyOf(float baseFrequency, float cents) {
    const float octaves = cents * 0.00083333335f;
    return static_cast<float>(static_cast<double>(baseFrequency) *
                              std::pow(2.0, static_cast<double>(octaves)));
}

float CentFreqCalculator::centsBetween(float fromFrequency, float toFrequency) {
    const float ratio = toFrequency / fromFrequency;
    return static_cast<float>(1200.0 * std::log(static_cast<double>(ratio)) / std::log(2.0));
}

} // namespace tonvela
