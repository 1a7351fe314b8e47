#pragma once

#include <memory>
#include <string>

namespace tonvela {

// The target note every analysis measures against. The tuner panel owns the
// current one; every result keeps its own copy.
class TargetData {
public:
    TargetData() = default;
    TargetData(int note, float frequency, std::string name)
        : note(note), frequency(frequency), name(std::move(name)) {}
    virtual ~TargetData() = default;
    TargetData(const TargetData&) = default;
    TargetData& operator=(const TargetData&) = default;

    // Note, frequency and name equal; frequencies compare ordered, so a NaN
    // counts as equal.
    bool equals(const TargetData& other) const;
    std::unique_ptr<TargetData> clone() const;
    // "%.2f" of frequency, in one process-wide string the next call
    // overwrites (user-interface thread only).
    const std::string& frequencyText() const;
    void setNote(int n) { note = n; }
    // Stores all three, but only when at least one differs.
    void update(float newFrequency, int newNote, const std::string& newName);

    // 0 = C0, 57 = A4, 95 = B7.
    int note = 0;
    // Hz, as the current scale settings give it.
    float frequency = 0.0f;
    // The note label, e.g. "A4".
    std::string name;
};

} // namespace tonvela
