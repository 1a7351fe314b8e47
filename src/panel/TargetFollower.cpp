#include "panel/TargetFollower.h"

#include "analysis/CentFreqCalculator.h"
#include "tuning/ToneScaleCollection.h"

#include <cmath>

namespace tonvela {

namespace {

// How far a clean tone may lie from the target before automatic tone
// detection moves the target by one semitone, and by two.
constexpr float OneStepCents = 66.0f;
constexpr float TwoStepCents = 150.0f;

} // namespace

TargetFollower::Decision TargetFollower::take(std::unique_ptr<AnalysisResultIfc> r,
                                              const TargetData& target, Switches on) {
    Decision d;
    if (!r) {
        return d;
    }
    --settleCountdown;
    const TargetData* measured = r->getTargetData();
    if (!measured || !measured->equals(target)) {
        // Measured against a target the user or the detection has left.
        return d;
    }
    const bool valid = r->isValid();

    if (on.toneDetection && valid) {
        const float t = target.frequency;
        const float f = r->getFrequency();
        int step = 0;
        if (f < CentFreqCalculator::frequencyOf(t, -TwoStepCents)) {
            step = -2;
        } else if (f < CentFreqCalculator::frequencyOf(t, -OneStepCents)) {
            step = -1;
        } else if (f > CentFreqCalculator::frequencyOf(t, TwoStepCents)) {
            step = 2;
        } else if (f > CentFreqCalculator::frequencyOf(t, OneStepCents)) {
            step = 1;
        }
        // The first results after a change of target still carry sound of
        // the note before; they never move it.
        if (step != 0 && settleCountdown < 0) {
            d.shown = results.oldest();
            d.moveBy = step;
            return d;
        }
    }

    // A tone beyond the grid: the search over the whole range names the note
    // played; after as many results as a move on the grid needs, and a few
    // in a row that agree, the target goes straight to it.
    const int played = valid ? -1 : playedNoteOf(*r);
    playedCount = played >= 0 && played == playedNote ? playedCount + 1 : (played >= 0 ? 1 : 0);
    playedNote = played;
    if (on.toneDetection && played >= 0 && played != target.note && settleCountdown < 0 &&
        playedCount >= AgreeingResults) {
        d.shown = results.oldest();
        d.held = d.shown != nullptr;
        d.moveTo = played;
        return d;
    }

    if (on.measurementStop && !valid) {
        // Keep showing what was measured before the tone faded, as held.
        d.shown = results.oldest();
        d.held = d.shown != nullptr;
        return d;
    }
    d.shown = r.get();
    d.record = std::move(r);
    return d;
}

void TargetFollower::restart() {
    settleCountdown = SettleResults;
    results.clear();
}

int TargetFollower::playedNoteOf(const AnalysisResultIfc& r) const {
    const float played = r.getPlayedFrequency();
    if (!(played > 0.0f))
        return -1;
    int nearest = -1;
    float nearestCents = 0.0f;
    for (int n = 0; n < NoteCount; ++n) {
        const float cents =
            std::fabs(CentFreqCalculator::centsBetween(toneScales.getNoteFrequency(n), played));
        if (nearest < 0 || cents < nearestCents) {
            nearest = n;
            nearestCents = cents;
        }
    }
    return nearestCents < 50.0f ? nearest : -1;
}

} // namespace tonvela
