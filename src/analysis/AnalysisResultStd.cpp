#include "analysis/AnalysisResultStd.h"

#include "analysis/AnalyzerStd.h"
#include "analysis/CentFreqCalculator.h"
#include "analysis/PeakRefinement.h"
#include "analysis/PeakShape.h"
#include "runtime/NumberText.h"

#include <algorithm>
#include <cmath>

namespace tonvela {

namespace {

// The passes' readings count where they lie this many grid steps from their
// median at most (or three standard deviations of their scatter, where that
// is more), and are trusted where their mean lies this many grid steps from
// the top of the summed levels at most and their scatter leaves the mean
// this uncertain at most, in grid steps:
// in the whole-cent grid the summed levels' top lies a few hundredths of a
// step from the tone, in the finer grids nearer; where noise scatters the
// passes more, that top, which every pass's level at every grid point
// shapes, is the better reading.
constexpr double PASS_SPREAD = 0.1;
constexpr double PASS_AGREEMENT = 0.5;
constexpr double PASSES_UNCERTAINTY = 0.02;

} // namespace

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

void AnalysisResultStd::addPassReading(double cents) {
    if (std::isfinite(cents))
        passReadings.push_back(cents);
}

double AnalysisResultStd::passesTop() const {
    const auto median = [](std::vector<double>& values) {
        std::sort(values.begin(), values.end());
        const std::size_t n = values.size();
        return 0.5 * (values[(n - 1) / 2] + values[n / 2]);
    };
    std::vector<double> steps = passReadings;
    for (double& value : steps)
        value /= stepCents;
    const double middle = median(steps);
    std::vector<double> deviations;
    for (double value : steps)
        deviations.push_back(std::fabs(value - middle));
    // The scatter of the passes as a standard deviation, from their median
    // deviation, so a pass with an image right beside the tone does not
    // count in it.
    const double sigma = 1.4826 * median(deviations);
    const double n = static_cast<double>(steps.size());
    if (!(sigma <= PASSES_UNCERTAINTY * std::sqrt(n)))
        return NAN;
    const double reach = std::max(PASS_SPREAD, 3.0 * sigma);
    double sum = 0.0;
    int agreeing = 0;
    for (double value : steps)
        if (std::fabs(value - middle) <= reach) {
            sum += value;
            ++agreeing;
        }
    return sum / agreeing;
}

void AnalysisResultStd::evaluate() {
    const PeakShape shape = PeakShape::of(accumulated.data(), 0, count - 1);
    peakIndex = shape.peak >= 0 ? shape.peak : count / 2;
    peakOffset = PeakRefinement::offsetAt(accumulated.data(), count, peakIndex);
    // The summed levels' top is pulled a little by the images beside it in
    // every pass; the passes' own readings are not, but each carries its
    // share of the noise. Only where that top is one smooth peak of one tone.
    if (peakOffset != 0.0f && !passReadings.empty()) {
        const double top = static_cast<double>(peakIndex - count / 2) + peakOffset;
        const double steps = passesTop();
        if (std::isfinite(steps) && std::fabs(steps - top) <= PASS_AGREEMENT)
            peakOffset = static_cast<float>(steps - (peakIndex - count / 2));
    }
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
