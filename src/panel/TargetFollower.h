#pragma once

#include "analysis/AnalysisResultIfc.h"
#include "analysis/ResultBuffer.h"
#include "analysis/TargetData.h"

#include <memory>

namespace tonvela {

class ToneScaleCollection;

// Decides, result by result, what the tuner panel shows and where automatic
// tone detection moves the target; keeps the recent results the panel falls
// back on. No window: the panel applies each decision to its displays.
class TargetFollower {
public:
    static constexpr int NoteCount = 96;
    // Results after a change of target that may not move it again.
    static constexpr int SettleResults = 5;
    // Results in a row that must name the same note, found by the search over
    // the whole range, before automatic tone detection goes to it.
    static constexpr int AgreeingResults = 3;

    // The measurement settings' two switches, as they stand for one result.
    struct Switches {
        bool toneDetection = false;   // automatic tone detection
        bool measurementStop = false; // automatic measurement stop
    };

    struct Decision {
        // What the displays show now, or null; a record of the buffer or the
        // one in `record`.
        const AnalysisResultIfc* shown = nullptr;
        // shown is an earlier result kept while nothing is being measured
        // (never with nothing shown).
        bool held = false;
        // The new result when it is shown: give it to keep() once the
        // displays show it, since taking it may destroy the one they showed.
        std::unique_ptr<AnalysisResultIfc> record;
        // Where the target goes after showing: by semitones, or to a note.
        int moveBy = 0;
        int moveTo = -1;
    };

    // toneScales: borrowed, for the notes the wide search may name.
    explicit TargetFollower(const ToneScaleCollection& toneScales) : toneScales(toneScales) {}

    // The decision for r, measured against whatever target it names; the
    // panel's target now is target.
    Decision take(std::unique_ptr<AnalysisResultIfc> r, const TargetData& target, Switches on);
    // Buffers a shown record (null: nothing).
    void keep(std::unique_ptr<AnalysisResultIfc> record) { results.add(std::move(record)); }
    // A new target: the results go and the next few may not move it again.
    // The displays must show none of them any more.
    void restart();
    void clear() { results.clear(); }

    const ResultBuffer& getResults() const { return results; }
    int getSettleCountdown() const { return settleCountdown; }

private:
    // The note nearest the played frequency of a result without a valid
    // reading, within half a semitone; -1 when there is none.
    int playedNoteOf(const AnalysisResultIfc& r) const;

    const ToneScaleCollection& toneScales;
    ResultBuffer results;
    // Counts the results since the last change of target, down from 5.
    int settleCountdown = 0;
    // The note the last results' wide search named, and how many in a row.
    int playedNote = -1;
    int playedCount = 0;
};

} // namespace tonvela
