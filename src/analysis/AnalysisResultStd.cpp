#include "analysis/AnalysisResultStd.h"

#include "analysis/AnalyzerStd.h"
#include "analysis/CentFreqCalculator.h"
#include "runtime/NumberText.h"

#include <algorithm>

namespace tonvela {

AnalysisResultStd::AnalysisResultStd(const TargetData& targetData, int halfWidth, float stepCents)
    : target(targetData.clone()), count(2 * std::max(halfWidth, 0) + 1), stepCents(stepCents),
      binFrequencies(count), accumulated(count, 0.0f), current(count, 0.0f) {
    const int half = count / 2;
    for (int j = 0; j < count; ++j)
        binFrequencies[j] = CentFreqCalculator::frequencyOf(
            target->frequency, static_cast<float>(j - half) * stepCents);
}

AnalysisResultStd::~AnalysisResultStd() = default;

void AnalysisResultStd::addValue(int index, float value) {
    if (index < 0 || index >= count)
        return;
    current[index] = value;
    if (value > passMax)
        passMax = value;
}

void AnalysisResultStd::accumulatePass() {
    if (passMax <= 0.0f)
        return;
    for (int j = 0; j < count; ++j) {
        accumulated[j] += current[j] / passMax;
        current[j] = 0.0f;
    }
    passMax = 0.0f;
}

void AnalysisResultStd::evaluate() {
    float sum = 0.0f;
    float rises = 0.0f;
    float prev = 0.0f;
    float max = 0.0f;
    peakIndex = -1;
    for (int j = 0; j < count; ++j) {
        const float a = accumulated[j];
        sum += a;
        if (a > prev)
            rises += a - prev;
        if (a > max) {
            max = a;
            peakIndex = j;
        }
        prev = a;
    }
    if (peakIndex < 0)
        peakIndex = count / 2;
    if (max > 0.0f) {
        meanRatio = (sum / static_cast<float>(count)) * (1.0f / max);
        riseRatio = (1.0f / max) * rises;
    } else {
        meanRatio = 1.0f;
        riseRatio = 0.0f;
    }
    const int octave = AnalyzerStd::octaveOf(target->note);
    valid = meanRatio < AnalyzerStd::meanRatioLimit[octave] &&
            riseRatio < AnalyzerStd::riseRatioLimit[octave];
}

float AnalysisResultStd::getPeakLevel() const {
    return accumulated[peak()];
}

float AnalysisResultStd::getBinCents(int index) const {
    return static_cast<float>(index - count / 2) * stepCents;
}

float AnalysisResultStd::getFrequency() const {
    return binFrequencies[peak()];
}

float AnalysisResultStd::getCents() const {
    return CentFreqCalculator::centsBetween(target->frequency, getFrequency());
}

const std::string& AnalysisResultStd::getCentsText() const {
    static std::string text;
    text = NumberText::signedFixed(getCents(), 2);
    return text;
}

const std::string& AnalysisResultStd::getFrequencyText() const {
    static std::string text;
    text = NumberText::fixed(getFrequency(), 2);
    return text;
}

} // namespace tonvela
