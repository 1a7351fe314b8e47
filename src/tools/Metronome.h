#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tonvela {

class FrequencySynth;

// The metronome: three preset tempos, at most one of them chosen, set as the
// synthesizer's click rate. It has no sound of its own; the synthesizer
// writes the clicks into its output.
class Metronome {
public:
    static constexpr int PresetCount = 3;

    struct Preset {
        bool checked = false;
        std::string text; // beats per minute
    };

    explicit Metronome(FrequencySynth& synth) : synth(synth) {}

    // The tempo a preset stands for: its text read as "%f" when the preset
    // is checked and the number is greater than 3 and at most 1000; else 0.
    static float presetTempo(const Preset& preset);

    // Sets the synthesizer's click rate to the checked preset's tempo, or
    // off (0) when none is checked or its text is no valid tempo. Returns
    // the rate set.
    float update(const std::array<Preset, PresetCount>& presets);

private:
    FrequencySynth& synth;
};

} // namespace tonvela
