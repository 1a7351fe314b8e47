#include "tools/Metronome.h"

#include "runtime/NumberText.h"
#include "tools/FrequencySynth.h"

#include <optional>

namespace tonvela {

float Metronome::presetTempo(const Preset& preset) {
    if (!preset.checked)
        return 0.0f;
    const std::optional<double> parsed = NumberText::parseReal(preset.text);
    if (!parsed)
        return 0.0f;
    const float tempo = static_cast<float>(*parsed);
    return tempo > 3.0f && tempo <= 1000.0f ? tempo : 0.0f;
}

float Metronome::update(const std::array<Preset, PresetCount>& presets) {
    float rate = 0.0f;
    for (const Preset& preset : presets)
        rate += presetTempo(preset);
    synth.setMetronome(rate);
    return rate;
}

} // namespace tonvela
