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
    std::string key = "equal", keynoteText, pitchText, calibrationText;
    bool hasKey, hasKeynote, hasPitch, hasCalibration;
    if (!takeOption(args, "--temperament", key, hasKey) ||
        !takeOption(args, "--keynote", keynoteText, hasKeynote) ||
        !takeOption(args, "--pitch", pitchText, hasPitch) ||
        !takeOption(args, "--calibration", calibrationText, hasCalibration))
        return 2;

    int keynote = 0;
    if (hasKeynote && (keynote = parseKeynote(keynoteText)) < 0)
        return usageError("--keynote takes a note name such as C, F#, Bb or es, not '" +
                          keynoteText + "'");
    double pitch = 440.0, calibration = 0.0;
    if (hasPitch && (!parseWholeNumber(pitchText, pitch) || !(pitch > 0.0) || pitch > 20000.0))
        return usageError("--pitch takes a frequency in Hz above 0 and up to 20000, not '" +
                          pitchText + "'");
    if (hasCalibration &&
        (!parseWholeNumber(calibrationText, calibration) || std::fabs(calibration) > 1200.0))
        return usageError("--calibration takes cents between -1200 and 1200, not '" +
                          calibrationText + "'");
    if (!setUpLanguage(args))
        return 2;
    if (!noArgumentsLeft(args, "notes"))
        return 2;

    // The central state holds the catalogue with the user temperaments.
    ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    if (scales.find(key)->getKey() != key)
        return usageError("unknown temperament '" + key +
                          "' (tonvela-cli temperaments lists them)");
    scales.setScale(key, keynote, static_cast<float>(pitch), static_cast<float>(calibration));

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
