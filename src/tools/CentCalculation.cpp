#include "tools/CentCalculation.h"

#include "analysis/CentFreqCalculator.h"
#include "runtime/NumberText.h"

#include <cmath>
#include <optional>

namespace tonvela {

bool CentCalculation::calculate() {
    const std::optional<float> base = NumberText::parseFloat(f1);
    const std::optional<float> interval = NumberText::parseFloat(cents);
    const std::optional<float> result = NumberText::parseFloat(f2);

    float newF1 = 0.0f;
    float newCents = 0.0f;
    float newF2 = 0.0f;
    if (base && interval) {
        newF1 = *base;
        newCents = *interval;
        newF2 = CentFreqCalculator::frequencyOf(newF1, newCents);
    } else if (base && result) {
        newF1 = *base;
        newF2 = *result;
        newCents = CentFreqCalculator::centsBetween(newF1, newF2);
    } else if (interval && result) {
        newCents = *interval;
        newF2 = *result;
        const float octaves = newCents * 0.00083333335f;
        newF1 = static_cast<float>(static_cast<double>(newF2) /
                                   std::pow(2.0, static_cast<double>(octaves)));
    } else {
        return false;
    }
    // The logarithm of a zero or negative ratio, or an overflowing power,
    // is no answer to show.
    if (!std::isfinite(newF1) || !std::isfinite(newCents) || !std::isfinite(newF2))
        return false;

    f1 = NumberText::general(newF1);
    cents = NumberText::general(newCents);
    f2 = NumberText::fixed(newF2);
    return true;
}

} // namespace tonvela
