#pragma once

#include "tuning/ToneScale.h"

#include <array>

namespace tonvela {

// A full temperament: one value for each of the 108 notes C0..B8, with no
// octave repetition and no stretch.
class FullToneScale : public ToneScale {
public:
    static constexpr int NOTE_COUNT = 108;

    // A new user temperament: empty names, all values 0, key "f_<id>".
    FullToneScale();
    // All 108 values 0.
    FullToneScale(const std::string& key, const std::string& englishName,
                  const std::string& germanName);
    FullToneScale(const FullToneScale&) = default;
    FullToneScale& operator=(const FullToneScale&) = default;

    // note 0..107; not checked.
    float getCents(int note) const override { return cents[note]; }
    float getOctaveStretch() const override { return 0.0f; }
    bool isSimple() const override { return false; }

    void setCents(int note, float value) { cents[note] = value; }

private:
    std::array<float, NOTE_COUNT> cents{};
};

} // namespace tonvela
