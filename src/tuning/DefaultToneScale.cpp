#include "tuning/DefaultToneScale.h"

#include "runtime/NumberText.h"

namespace tonvela {

namespace {
int pitchClass(int note) {
    return ((note % 12) + 12) % 12;
}
} // namespace

DefaultToneScale::DefaultToneScale()
    : ToneScale("c_" + NumberText::integer(newScaleId()), std::string(), std::string()) {}

DefaultToneScale::DefaultToneScale(const std::string& key, const std::string& englishName,
                                   const std::string& germanName, float octaveStretch)
    : ToneScale(key, englishName, germanName), octaveStretch(octaveStretch) {}

DefaultToneScale::DefaultToneScale(const std::string& key, const std::string& englishName,
                                   const std::string& germanName, float c, float cis, float d,
                                   float es, float e, float f, float fis, float g, float gis,
                                   float a, float b, float h, float octaveStretch)
    : ToneScale(key, englishName, germanName),
      octaveStretch(octaveStretch), cents{c, cis, d, es, e, f, fis, g, gis, a, b, h} {}

float DefaultToneScale::getCents(int note) const {
    return cents[pitchClass(note)];
}

void DefaultToneScale::setCents(int note, float value) {
    cents[pitchClass(note)] = value;
}

} // namespace tonvela
