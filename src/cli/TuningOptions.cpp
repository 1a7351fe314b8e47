#include "cli/TuningOptions.h"

#include "cli/CliCommand.h"
#include "platform/store/Settings.h"
#include "resources/Language.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "runtime/NumberText.h"
#include "tuning/ScaleLimits.h"
#include "tuning/ToneScaleCollection.h"

#include <cmath>
#include <cstdio>

namespace tonvela::cli {

bool setUpLanguage(std::vector<std::string>& args) {
    std::string language;
    bool found = false;
    if (!takeOption(args, "--language", language, found))
        return false;
    if (found && language != "en" && language != "de") {
        std::fprintf(stderr, "tonvela-cli: --language takes en or de, not '%s'\n",
                     language.c_str());
        return false;
    }
    Settings::openRoot("Tonvela");
    if (found)
        overrideLanguage(language == "de" ? Language::German : Language::English);
    else
        uiLanguage();
    return true;
}

bool takeScaleOptions(std::vector<std::string>& args, ScaleOptions& options) {
    std::string keynoteText, pitchText, calibrationText;
    bool hasKey, hasKeynote, hasPitch, hasCalibration;
    if (!takeOption(args, "--temperament", options.key, hasKey) ||
        !takeOption(args, "--keynote", keynoteText, hasKeynote) ||
        !takeOption(args, "--pitch", pitchText, hasPitch) ||
        !takeOption(args, "--calibration", calibrationText, hasCalibration))
        return false;
    if (hasKeynote && (options.keynote = parseKeynote(keynoteText)) < 0) {
        usageError("--keynote takes a note name such as C, F#, Bb or es, not '" + keynoteText +
                   "'");
        return false;
    }
    // The same bounds as the scale dialog's; the scale settings hold the
    // values as floats, so the range is checked on those.
    if (hasPitch && (!parseWholeNumber(pitchText, options.pitch) ||
                     !inFloatRange(options.pitch, MIN_STANDARD_PITCH, MAX_STANDARD_PITCH))) {
        usageError("--pitch takes a frequency in Hz from " +
                   NumberText::general(MIN_STANDARD_PITCH) + " to " +
                   NumberText::general(MAX_STANDARD_PITCH) + ", not '" + pitchText + "'");
        return false;
    }
    if (hasCalibration && (!parseWholeNumber(calibrationText, options.calibration) ||
                           !inFloatRange(options.calibration, -MAX_CALIBRATION, MAX_CALIBRATION))) {
        usageError("--calibration takes cents between " + NumberText::general(-MAX_CALIBRATION) +
                   " and " + NumberText::general(MAX_CALIBRATION) + ", not '" + calibrationText +
                   "'");
        return false;
    }
    return true;
}

bool applyScaleOptions(const ScaleOptions& options, ToneScaleCollection& scales) {
    if (scales.find(options.key)->getKey() != options.key) {
        usageError("unknown temperament '" + options.key +
                   "' (tonvela-cli temperaments lists them)");
        return false;
    }
    scales.setScale(options.key, options.keynote, static_cast<float>(options.pitch),
                    static_cast<float>(options.calibration));
    return true;
}

int parseKeynote(const std::string& name) {
    // Pitch classes of the note names, in the order of their string ids.
    static const int pitchClasses[IDS_NOTE_COUNT] = {0, 1, 1,  2,  3,  3,  4, 5, 6, 6, 7, 8,
                                                     8, 9, 10, 10, 11, 11, 2, 7, 0, 5, 4};
    for (const bool german : {false, true})
        for (int i = 0; i < IDS_NOTE_COUNT; ++i)
            if (!name.empty() && loadString(IDS_NOTE_FIRST + i, german) == name)
                return pitchClasses[i];
    return -1;
}

bool inFloatRange(double value, float low, float high) {
    const auto single = static_cast<float>(value);
    return single >= low && single <= high;
}

bool parseWholeNumber(const std::string& text, double& value) {
    // sign? digits [. digits] [e sign? digits], at least one mantissa digit.
    std::size_t i = 0;
    const auto digits = [&]() {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    if (i != text.size())
        return false;
    const std::optional<double> number = NumberText::parseReal(text);
    if (!number)
        return false;
    value = *number;
    return true;
}

} // namespace tonvela::cli
