#pragma once

#include "analysis/AnalysisResultIfc.h"
#include "analysis/TargetData.h"

#include <memory>
#include <string>
#include <vector>

namespace tonvela {

// The standard analyzer's result: spectral levels on a grid spaced evenly in
// cents around the target, summed over the passes of one measurement with
// each pass normalised to its own maximum. The peak of the sum, refined
// between the grid points, is the measured frequency; the shape of the sum
// decides its validity.
class AnalysisResultStd : public AnalysisResultIfc {
public:
    // Clones the target; 2 * halfWidth + 1 values stepCents apart, the middle
    // one at the target frequency.
    AnalysisResultStd(const TargetData& target, int halfWidth, float stepCents);
    ~AnalysisResultStd() override;
    AnalysisResultStd(const AnalysisResultStd&) = delete;
    AnalysisResultStd& operator=(const AnalysisResultStd&) = delete;

    // The level of value index in the pass in progress.
    void addValue(int index, float value);
    // Adds the pass in progress, normalised to its maximum, and clears it; a
    // silent pass adds nothing.
    void accumulatePass();
    // Where one pass put the tone, in cents from the target; evaluate()
    // reads the deviation from the passes where they agree.
    void addPassReading(double cents);
    // Finds the peak and judges the shape; after the last pass.
    void evaluate();
    // A pass read across input that was lost: the result cannot be valid.
    void markLostInput() { lostInput = true; }
    bool hasLostInput() const { return lostInput; }

    void setWindowMs(int ms) { windowMs = ms; }
    void setIntervalMs(int ms) { intervalMs = ms; }
    // Counted by the analysis thread.
    int getPassCount() const { return passCount; }
    void setPassCount(int count) { passCount = count; }

    float getStepCents() const { return stepCents; }
    const float* getBinFrequencies() const { return binFrequencies.data(); }
    // -1 until evaluate().
    int getPeakIndex() const { return peakIndex; }
    // Where the measured frequency lies from the peak's grid point, in grid
    // steps (within one step): the passes' readings near the top of the
    // summed levels, or that top itself. 0 before evaluate() and where the
    // levels show no one smooth peak to refine.
    float getPeakOffset() const { return peakOffset; }
    // The two shape figures of evaluate(): how far the peak stands above the
    // mean of the curve, and how much the curve climbs in units of the peak.
    float getMeanRatio() const { return meanRatio; }
    float getRiseRatio() const { return riseRatio; }

    int getBinCount() const override { return count; }
    float getPeakLevel() const override;
    const float* getLevels() const override { return accumulated.data(); }
    float getBinCents(int index) const override;
    bool isValid() const override { return valid != 0; }
    const TargetData* getTargetData() const override { return target.get(); }
    std::string getCentsText() const override;
    std::string getFrequencyText() const override;
    float getCents() const override;
    float getFrequency() const override;
    int getWindowMs() const override { return windowMs; }
    int getIntervalMs() const override { return intervalMs; }

private:
    // The passes' readings in grid steps from the target: the mean of those
    // near their median, NaN where they scatter too much.
    double passesTop() const;
    // Before evaluate() the record reports the target itself.
    int peak() const { return peakIndex >= 0 ? peakIndex : count / 2; }

    std::unique_ptr<TargetData> target;
    int count;
    float stepCents;
    std::vector<float> binFrequencies;
    std::vector<float> accumulated;
    std::vector<float> current;
    float passMax = 0.0f;
    std::vector<double> passReadings;
    int peakIndex = -1;
    float peakOffset = 0.0f;
    int passCount = 0;
    unsigned char valid = 0;
    int windowMs = 0;
    int intervalMs = 0;
    float meanRatio = 1.0f;
    float riseRatio = 0.0f;
    bool lostInput = false;
};

} // namespace tonvela
