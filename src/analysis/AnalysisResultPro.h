#pragma once

#include "analysis/AnalysisResultIfc.h"
#include "analysis/TargetData.h"

#include <memory>
#include <string>
#include <vector>

namespace tonvela {

// The precision analyzer's result: the spectral levels of the bins around the
// target and the deviation timed from the zero crossings of the band-limited
// peak, rounded to the resolution the transform length allows.
class AnalysisResultPro : public AnalysisResultIfc {
public:
    explicit AnalysisResultPro(const TargetData& target);
    ~AnalysisResultPro() override = default;
    AnalysisResultPro(const AnalysisResultPro&) = delete;
    AnalysisResultPro& operator=(const AnalysisResultPro&) = delete;

    void setIntervalMs(int ms) { intervalMs = ms; }

    float getMeanRatio() const { return meanRatio; }
    float getRiseRatio() const { return riseRatio; }
    // The frequency timed from the crossings: corrected through the table for
    // captured sound, as measured for a test tone. 0 when nothing was timed.
    float getRawFrequency() const { return rawFrequency; }
    // The timed frequency with the input calibration applied, before the
    // deviation is rounded to the display resolution. 0 when nothing was timed.
    float getCalibratedFrequency() const { return calibratedFrequency; }
    int getFrequencyDecimals() const { return frequencyDecimals; }
    // False when fewer than two crossings could be timed (silence) or the
    // target cannot be measured at this sample rate.
    bool isTimed() const { return timed; }
    // False when the peak has no partial of the unfolded sound behind it.
    bool isConfirmed() const { return confirmed; }
    // False when the strongest partial of the sound lies off the reading's
    // harmonic series: another note is sounding.
    bool isOnSeries() const { return onSeries; }
    // False when the tone's strength changed within the window (a start, an
    // end, a new strike, a change of pitch).
    bool isSteady() const { return steady; }
    // True when input was lost within the window.
    bool hasLostInput() const { return lostInput; }

    int getBinCount() const override { return count; }
    float getPeakLevel() const override { return peakLevel; }
    const float* getLevels() const override { return levels.data(); }
    float getBinCents(int index) const override { return cents[static_cast<std::size_t>(index)]; }
    bool isValid() const override;
    const TargetData* getTargetData() const override { return target.get(); }
    std::string getCentsText() const override;
    std::string getFrequencyText() const override;
    float getCents() const override { return roundedDeviation; }
    float getFrequency() const override { return roundedFrequency; }
    int getWindowMs() const override { return windowMs; }
    int getIntervalMs() const override { return intervalMs; }

private:
    friend class AnalyzerPro;

    std::unique_ptr<TargetData> target;
    int count = 0;
    std::vector<float> levels;
    std::vector<float> cents;
    float peakLevel = 0.0f;
    float roundedDeviation = 0.0f;
    float roundedFrequency = 0.0f;
    int frequencyDecimals = 2;
    float meanRatio = 0.0f;
    float riseRatio = 0.0f;
    int windowMs = 0;
    int intervalMs = 0;
    float rawFrequency = 0.0f;
    float calibratedFrequency = 0.0f;
    bool timed = false;
    bool confirmed = true;
    bool onSeries = true;
    bool steady = true;
    bool lostInput = false;
};

} // namespace tonvela
