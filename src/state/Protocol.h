#pragma once

#include <vector>

namespace tonvela {

// What the protocol tells those who show or keep it, synchronously on the
// user-interface thread: the protocol grid and the document.
class ProtocolListener {
public:
    virtual ~ProtocolListener() = default;
    // Any entry may have changed (cleared, loaded).
    virtual void onReset() = 0;
    // The entry of note changed.
    virtual void onEntry(int note) = 0;
};

// The tune-up protocol: the measured frequency of each note C0..B7, 0.0 for
// a note not measured. Frequencies are kept, not deviations, so a change of
// temperament re-reads every deviation without touching the measurements.
class Protocol {
public:
    static constexpr int NoteCount = 96;
    // A measured entry lies in MinFrequency..MaxFrequency: the highest
    // frequency a 44100 Hz input holds, and far below the lowest note.
    static constexpr float MinFrequency = 1.0f;
    static constexpr float MaxFrequency = 22050.0f;

    Protocol();
    virtual ~Protocol() = default;

    void clear();
    // An equal value (NaN on either side counts as equal) changes nothing and
    // sends nothing.
    void setFrequency(int index, float hertz, bool notify);
    float getFrequency(int index) const { return frequencies[index]; }
    void notifyReset();
    // Cents from equal temperament at A4 = 440 Hz, whatever scale is in use;
    // 0.0 for a note not measured.
    float getDeviation(int index) const;

    // A listener added twice is told twice.
    void addListener(ProtocolListener* listener);
    void removeListener(ProtocolListener* listener);

private:
    // note -1: a reset.
    void tell(int note);

    float frequencies[NoteCount];
    std::vector<ProtocolListener*> listeners;
};

} // namespace tonvela
