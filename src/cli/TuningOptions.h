#pragma once

#include <string>
#include <vector>

namespace tonvela {
class ToneScaleCollection;
}

namespace tonvela::cli {

// The scale settings a command may be given: --temperament KEY, --keynote
// NAME, --pitch HZ (A4) and --calibration CENTS.
struct ScaleOptions {
    std::string key = "equal";
    int keynote = 0;
    double pitch = 440.0;
    double calibration = 0.0;
};

// Takes the scale options out of args; false with a message on stderr for a
// bad value.
bool takeScaleOptions(std::vector<std::string>& args, ScaleOptions& options);
// Makes them the current scale settings; false with a message on stderr for
// a temperament that does not exist.
bool applyScaleOptions(const ScaleOptions& options, ToneScaleCollection& scales);

// Takes "--language en|de" out of args, opens the settings root and fixes the
// interface language: the option for this run only, else the start-up rule.
// false with a message on stderr for a bad value.
bool setUpLanguage(std::vector<std::string>& args);

// Pitch class 0..11 of a note name in English or German spelling ("Eb",
// "es", "B#"), or -1.
int parseKeynote(const std::string& name);
// A number written whole ("440", "-3.5", "1e2"); false for anything else.
bool parseWholeNumber(const std::string& text, double& value);
// Whether value, once rounded to the float the tuner keeps it in, lies in
// low..high (false for NaN).
bool inFloatRange(double value, float low, float high);

// Target frequencies the commands accept, in Hz (the standard pitch and the
// calibration take the scale dialog's bounds, tuning/ScaleLimits.h).
constexpr float MIN_FREQUENCY = 1.0f;
constexpr float MAX_FREQUENCY = 1.0e6f;

} // namespace tonvela::cli
