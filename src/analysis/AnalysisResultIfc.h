#pragma once

#include "analysis/TargetData.h"

#include <string>

namespace tonvela {

// What the displays and the result buffer see of a result of either analyzer.
// The texts are returned by value: records are read on the analysis thread
// (the command-line tool) as well as on the user-interface thread.
class AnalysisResultIfc {
public:
    virtual ~AnalysisResultIfc() = default;

    // Number of spectrum levels.
    virtual int getBinCount() const = 0;
    // The level at the peak, for scaling a drawn curve.
    virtual float getPeakLevel() const = 0;
    // getBinCount() levels, owned by the record.
    virtual const float* getLevels() const = 0;
    // Offset of level index from the target in cents.
    virtual float getBinCents(int index) const = 0;
    // The analysis judged the peak clean.
    virtual bool isValid() const = 0;
    // The record's own copy of the target.
    virtual const TargetData* getTargetData() const = 0;
    // The deviation as signed fixed-point text with as many decimals as the
    // reading is good for.
    virtual std::string getCentsText() const = 0;
    // The frequency as fixed-point text with the record's decimals.
    virtual std::string getFrequencyText() const = 0;
    // Measured deviation from the target in cents.
    virtual float getCents() const = 0;
    // Measured frequency in Hz.
    virtual float getFrequency() const = 0;
    // Length of the analysed stretch of sound.
    virtual int getWindowMs() const = 0;
    // The cadence of the results (400).
    virtual int getIntervalMs() const = 0;

    // When the record holds no valid reading: the fundamental of the tone
    // that was played, found by the search over the whole range; 0 when
    // none was found or none was looked for.
    float getPlayedFrequency() const { return playedFrequency; }
    void setPlayedFrequency(float frequency) { playedFrequency = frequency; }

private:
    float playedFrequency = 0.0f;
};

} // namespace tonvela
