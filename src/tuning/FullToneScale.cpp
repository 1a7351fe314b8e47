#include "tuning/FullToneScale.h"

#include "runtime/NumberText.h"

namespace tonvela {

FullToneScale::FullToneScale()
    : ToneScale("f_" + NumberText::integer(newScaleId()), std::string(), std::string()) {}

FullToneScale::FullToneScale(const std::string& key, const std::string& englishName,
                             const std::string& germanName)
    : ToneScale(key, englishName, germanName) {}

} // namespace tonvela
