#include "analysis/AnalysisResultPro.h"

#include "runtime/NumberText.h"

namespace tonvela {

AnalysisResultPro::AnalysisResultPro(const TargetData& target) : target(target.clone()) {}

bool AnalysisResultPro::isValid() const {
    return timed && confirmed && meanRatio < 0.2f && riseRatio < 6.0f;
}

const std::string& AnalysisResultPro::getCentsText() const {
    static std::string text;
    text = NumberText::signedFixed(roundedDeviation, 2);
    return text;
}

const std::string& AnalysisResultPro::getFrequencyText() const {
    static std::string text;
    text = NumberText::fixed(roundedFrequency, frequencyDecimals);
    return text;
}

} // namespace tonvela
