#pragma once

#include "analysis/AnalysisResultIfc.h"
#include "analysis/TargetData.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tonvela::test {

// A result record whose every answer is a field the test sets: the levels on
// a grid of bins evenly spaced in cents around the target, the texts, the
// numbers. onDestroy runs when the record goes (for tests of ownership).
class FakeResult : public AnalysisResultIfc {
public:
    FakeResult() = default;
    FakeResult(std::vector<float> levels, float firstCents, float stepCents)
        : levels(std::move(levels)), firstCents(firstCents), stepCents(stepCents) {}
    ~FakeResult() override {
        if (onDestroy) {
            onDestroy();
        }
    }

    int getBinCount() const override { return int(levels.size()); }
    float getPeakLevel() const override {
        float peak = 0.0f;
        for (float level : levels) {
            peak = std::max(peak, level);
        }
        return peak;
    }
    const float* getLevels() const override { return levels.empty() ? nullptr : levels.data(); }
    float getBinCents(int index) const override { return firstCents + float(index) * stepCents; }
    bool isValid() const override { return valid; }
    const TargetData* getTargetData() const override { return hasTarget ? &target : nullptr; }
    std::string getCentsText() const override { return centsText; }
    std::string getFrequencyText() const override { return frequencyText; }
    float getCents() const override { return cents; }
    float getFrequency() const override { return frequency; }
    int getWindowMs() const override { return windowMs; }
    int getIntervalMs() const override { return intervalMs; }

    std::vector<float> levels;
    float firstCents = 0.0f;
    float stepCents = 0.0f;
    bool valid = true;
    bool hasTarget = true;
    TargetData target{57, 440.0f, "A4"};
    std::string centsText;
    std::string frequencyText;
    float cents = 0.0f;
    float frequency = 440.0f;
    int windowMs = 0;
    int intervalMs = 400;
    std::function<void()> onDestroy;
};

} // namespace tonvela::test
