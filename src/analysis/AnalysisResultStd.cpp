#include "analysis/AnalysisResultStd.h"

#include "analysis/AnalyzerStd.h"
#include "analysis/CentFreqCalculator.h"
#include "analysis/PeakRefinement.h"
#include "analysis/PeakShape.h"
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
    const PeakShape shape = PeakShape::of(accumulated.data(), 0, count - 1);
    peakIndex = shape.peak >= 0 ? shape.peak : count / 2;
    peakOffset = PeakRefinement::offsetAt(accumulated.data(), count, peakIndex);
    if (shape.max > 0.0f) {
        meanRatio = (shape.sum / static_cast<float>(count)) * (1.0f / shape.max);
        riseRatio = (1.0f / shape.max) * shape.rises;
    } else {
        meanRatio = 1.0f;
        riseRatio = 0.0f;
    }
    const int octave = AnalyzerStd::octaveOf(target->note);
    valid = !lostInput && meanRatio < AnalyzerStd::meanRatioLimit[octave] &&
            riseRatio < AnalyzerStd::riseRatioLimit[octave] &&
            !PeakRefinement::hasSecondTone(accumulated.data(), count, peakIndex);
}

float AnalysisResultStd::getPeakLevel() const {
    return accumulated[peak()];
}

float AnalysisResultStd::getBinCents(int index) const {
    return static_cast<float>(index - count / 2) * stepCents;
}

float AnalysisResultStd::getFrequency() const {
    if (peakOffset == 0.0f)
        return binFrequencies[peak()];
    return CentFreqCalculator::frequencyOf(
        target->frequency, (static_cast<float>(peak() - count / 2) + peakOffset) * stepCents);
}

float AnalysisResultStd::getCents() const {
    return CentFreqCalculator::centsBetween(target->frequency, getFrequency());
}

// As many decimals as the reading is good for: the refined reading of the
// whole-cent grid to about a tenth of a cent, that of the finer grids to a
// few hundredths.
std::string AnalysisResultStd::getCentsText() const {
    return NumberText::signedFixed(getCents(), stepCents < 1.0f ? 2 : 1);
}

std::string AnalysisResultStd::getFrequencyText() const {
    return NumberText::fixed(getFrequency(), 2);
}

} // namespace tonvela
