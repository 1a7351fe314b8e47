#pragma once

#include "tuning/ToneScale.h"

#include <array>

namespace tonvela {

// A simple temperament: twelve values, one per pitch class (C first),
// repeated in every octave, and an octave stretch.
class DefaultToneScale : public ToneScale {
public:
    // A new user temperament: empty names, all values 0, key "c_<id>".
    DefaultToneScale();
    // All twelve values 0 (the equal-tempered catalogue rows).
    DefaultToneScale(const std::string& key, const std::string& englishName,
                     const std::string& germanName, float octaveStretch);
    DefaultToneScale(const std::string& key, const std::string& englishName,
                     const std::string& germanName, float c, float cis, float d, float es, float e,
                     float f, float fis, float g, float gis, float a, float b, float h,
                     float octaveStretch);
    DefaultToneScale(const DefaultToneScale&) = default;
    DefaultToneScale& operator=(const DefaultToneScale&) = default;

    float getCents(int note) const override;
    float getOctaveStretch() const override { return octaveStretch; }
    bool isSimple() const override { return true; }

    void setCents(int note, float value);
    void setOctaveStretch(float value) { octaveStretch = value; }

private:
    float octaveStretch = 0.0f;
    std::array<float, 12> cents{};
};

} // namespace tonvela
