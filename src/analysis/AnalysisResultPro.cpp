#include "analysis/AnalysisResultPro.h"

#include "runtime/NumberText.h"

namespace tonvela {

AnalysisResultPro::AnalysisResultPro(const TargetData& target) : target(target.clone()) {}

bool AnalysisResultPro::isValid() const {
    return timed && !lostInput && confirmed && onSeries && steady && meanRatio < 0.2f &&
           riseRatio < 6.0f;
}

std::string AnalysisResultPro::getCentsText() const {
    return NumberText::signedFixed(roundedDeviation, 2);
}

std::string AnalysisResultPro::getFrequencyText() const {
    return NumberText::fixed(roundedFrequency, frequencyDecimals);
}

} // namespace tonvela
