#pragma once

#include "tuning/DefaultToneScale.h"
#include "tuning/FullToneScale.h"
#include "tuning/ToneScale.h"
#include "tuning/ToneScaleListener.h"

#include <memory>
#include <string>
#include <vector>

namespace tonvela {

// The scale settings: which temperament is in use, its keynote, the standard
// pitch of A4 and the calibration, and from these the target frequency and
// name of every note. Owns the list of all temperaments: the user ones first
// (simple, then full), then the predefined catalogue.
class ToneScaleCollection {
public:
    ToneScaleCollection();
    virtual ~ToneScaleCollection();
    ToneScaleCollection(const ToneScaleCollection&) = delete;
    ToneScaleCollection& operator=(const ToneScaleCollection&) = delete;

    int getScaleCount() const { return static_cast<int>(scales.size()); }
    // index must lie in range.
    ToneScale* getScale(int index) const { return scales[index].get(); }
    ToneScale* getCurrentScale() const { return currentScale; }
    // Position of the current temperament in the list, or -1.
    int getCurrentIndex() const;
    // The first entry with exactly this key; "equal" when there is none.
    ToneScale* find(const std::string& key) const;

    // Each of these ends by notifying the listeners, also when nothing changed.
    void reset();
    // An unknown key selects equal temperament; the three values still apply.
    void setScale(const std::string& key, int keynote, float standardPitch, float calibration);
    // An index outside the list selects equal temperament.
    void setScaleAt(int index, int keynote, float standardPitch, float calibration);
    // Replaces the user temperaments at the front of the list by copies; the
    // current temperament is looked up again by its key ("equal" when gone).
    void setCustomScales(const std::vector<DefaultToneScale>& simpleScales,
                         const std::vector<FullToneScale>& fullScales);

    void addListener(ToneScaleListener* listener);
    void removeListener(ToneScaleListener* listener);
    void notifyListeners();

    int getKeynote() const { return keynote; }
    float getStandardPitch() const { return standardPitch; }
    float getCalibration() const { return calibration; }
    int getCustomCount() const { return customCount; }

    float getOctaveStretch() const;
    // Target frequency in Hz of note 0..95 (0..107 for a full temperament).
    float getNoteFrequency(int note) const;
    std::string getNoteName(int note) const;
    // Name and octave: "A4", "C#3", "Bb0".
    std::string getNoteLabel(int note) const;
    std::string getKeynoteName() const;
    std::string getKeynoteName(int index) const;
    std::string formatStandardPitch() const;
    std::string formatCalibration() const;
    std::string formatOctaveStretch() const;
    // Cents of frequency against the note's target, "%+.2f"; "0.00" within
    // 0.001 cent; empty outside 1..40000 Hz.
    std::string formatDeviation(int note, float frequency) const;
    std::string formatNumber(int n) const;

private:
    void addPredefinedScales();

    ToneScale* defaultScale = nullptr;
    ToneScale* currentScale = nullptr;
    float calibration = 0.0f;
    float standardPitch = 440.0f;
    int keynote = 0;
    std::string keynoteNames[12];
    std::string noteNames[12][12];
    std::vector<std::unique_ptr<ToneScale>> scales;
    std::vector<ToneScaleListener*> listeners;
    int customCount = 0;
};

} // namespace tonvela
