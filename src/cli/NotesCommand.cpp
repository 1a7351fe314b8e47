// tonvela-cli notes: the target frequency of every note C0..B7 under chosen
// scale settings.
#include "cli/CliCommand.h"
#include "cli/TuningOptions.h"
#include "runtime/NumberText.h"
#include "state/DataStructure.h"

#include <cmath>
#include <cstdio>

namespace tonvela::cli {

namespace {

int runNotes(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    ScaleOptions options;
    if (!takeScaleOptions(args, options) || !setUpLanguage(args) || !noArgumentsLeft(args, "notes"))
        return 2;
    // The central state holds the catalogue with the user temperaments.
    ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    if (!applyScaleOptions(options, scales))
        return 2;

    const ToneScale* scale = scales.getCurrentScale();
    std::printf("Temperament: %s (%s)\n", scale->getName().c_str(), scale->getKey().c_str());
    std::printf("Keynote: %s\n", scales.getKeynoteName().c_str());
    std::printf("Standard pitch: %s Hz\n", scales.formatStandardPitch().c_str());
    std::printf("Calibration: %s cents\n", scales.formatCalibration().c_str());
    std::printf("Octave stretch: %s cents\n", scales.formatOctaveStretch().c_str());
    for (int note = 0; note < 96; ++note)
        std::printf("%d\t%s\t%s\n", note, scales.getNoteLabel(note).c_str(),
                    NumberText::fixed(scales.getNoteFrequency(note), 4).c_str());
    return 0;
}

const CliCommand::Registrar
    registrar({"notes",
               "notes [--temperament KEY] [--keynote NAME] [--pitch HZ] [--calibration CENTS] "
               "[--language en|de]",
               "the target frequency of every note C0..B7", &runNotes});

} // namespace

} // namespace tonvela::cli
