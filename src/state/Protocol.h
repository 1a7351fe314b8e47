#pragma once

#include "runtime/Messages.h"

#include <cstdint>
#include <vector>

namespace tonvela {

// What the protocol needs of a window it tells about changes: one synchronous
// message (WM_PROTOCOL_RESET or WM_PROTOCOL_ENTRY) on the user-interface thread. The protocol grid
// implements it.
class ProtocolWindow {
public:
    virtual ~ProtocolWindow() = default;
    virtual void protocolMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
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

    void addWindow(ProtocolWindow* window);
    void removeWindow(ProtocolWindow* window);

private:
    void send(unsigned message, std::uintptr_t wParam);

    float frequencies[NoteCount];
    std::vector<ProtocolWindow*> windows;
};

} // namespace tonvela
