// tonvela-cli measure: measures a recording as the tuner would have measured
// it live. The recording is played into the real capture driver by a stepped
// virtual device, and the analysis thread runs its usual loop on simulated
// time: each 200 ms of that time that passes delivers the next 200 ms buffer,
// so the analyzers see exactly the sound, the cadence and the jitter of a live
// measurement, only as fast as the processor allows.
#include "analysis/AnalysisClock.h"
#include "analysis/AnalysisResultPro.h"
#include "analysis/ResultReceiver.h"
#include "analysis/TargetData.h"
#include "analysis/UpdateThread.h"
#include "audio/CaptureDriverManager.h"
#include "cli/CliCommand.h"
#include "cli/CliInput.h"
#include "cli/TuningOptions.h"
#include "runtime/NumberText.h"
#include "runtime/Random.h"
#include "runtime/Thread.h"
#include "state/DataStructure.h"
#include "tuning/ToneScaleCollection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tonvela::cli {

namespace {

constexpr const char* COMMAND = "measure";
constexpr int BUFFER_MS = 200;
constexpr int NOTE_COUNT = 96;
constexpr int STEP_TRIES = 200;
constexpr int STEP_RETRY_MS = 10;
// The --mode names, indexed by MeasurementSettings::Accuracy.
constexpr const char* MODE_NAMES[3] = {"standard", "accurate", "precise"};

struct MeasureOptions {
    std::string path;
    std::optional<int> note;
    ScaleOptions scale;
    std::optional<float> frequency;
    int accuracy = MeasurementSettings::Standard;
    float calibIn = 0.0f;
    bool harmonics[MeasurementSettings::HarmonicCount] = {true, true, true, true, true, true};
    unsigned int seed = 1;
    bool json = false;
};

// A number written whole: "440Hz" or "1,5" are refused, not read in part.
std::optional<double> parseNumber(const std::string& text) {
    double value = 0.0;
    if (!parseWholeNumber(text, value))
        return std::nullopt;
    return value;
}

// "A4", "C#3", "Bb0" (English names, sharp # or flat b), or an index 0..95.
std::optional<int> parseNote(const std::string& text) {
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        const bool allDigits =
            std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        const std::optional<int> index = allDigits ? NumberText::parseInt(text) : std::nullopt;
        if (index && *index >= 0 && *index < NOTE_COUNT)
            return index;
        return std::nullopt;
    }
    static constexpr int letterClass[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (text.size() < 2)
        return std::nullopt;
    const char letter = static_cast<char>(text[0] & ~0x20);
    if (letter < 'A' || letter > 'G')
        return std::nullopt;
    int pitchClass = letterClass[letter - 'A'];
    std::size_t i = 1;
    if (text[i] == '#') {
        ++pitchClass;
        ++i;
    } else if (text[i] == 'b') {
        --pitchClass;
        ++i;
    }
    if (i + 1 != text.size() || text[i] < '0' || text[i] > '7')
        return std::nullopt;
    const int note = 12 * (text[i] - '0') + pitchClass;
    if (note < 0 || note >= NOTE_COUNT)
        return std::nullopt;
    return note;
}

// "1,1.5,2,2.25,3,4" or any part of it, for the folding factors of the
// measurement settings; "none" clears them all.
bool parseHarmonics(const std::string& text, bool (&flags)[MeasurementSettings::HarmonicCount]) {
    // Indexed by MeasurementSettings::Harmonic.
    static constexpr double factors[MeasurementSettings::HarmonicCount] = {1.0,  1.5, 2.0,
                                                                           2.25, 3.0, 4.0};
    std::fill(std::begin(flags), std::end(flags), false);
    if (text == "none")
        return true;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::optional<double> value = parseNumber(text.substr(start, end - start));
        if (!value)
            return false;
        const double* match = std::find(std::begin(factors), std::end(factors), *value);
        if (match == std::end(factors))
            return false;
        flags[match - std::begin(factors)] = true;
        start = end + 1;
    }
    return true;
}

// Nothing when the options are bad; the message is printed.
std::optional<MeasureOptions> parseOptions(std::vector<std::string> args) {
    MeasureOptions options;
    std::string value;
    bool found = false;

    if (!takeOption(args, "--note", value, found))
        return std::nullopt;
    if (found) {
        options.note = parseNote(value);
        if (!options.note) {
            usageError(
                "measure: --note wants a note C0 .. B7 (e.g. A4, C#3, Bb0) or 0 .. 95, not '" +
                value + "'");
            return std::nullopt;
        }
    }
    if (!takeScaleOptions(args, options.scale) || !setUpLanguage(args))
        return std::nullopt;
    if (!takeOption(args, "--frequency", value, found))
        return std::nullopt;
    if (found) {
        const std::optional<double> frequency = parseNumber(value);
        if (!frequency || !inFloatRange(*frequency, MIN_FREQUENCY, MAX_FREQUENCY)) {
            usageError("measure: --frequency wants a frequency in Hz from 1 to 1000000, not '" +
                       value + "'");
            return std::nullopt;
        }
        options.frequency = static_cast<float>(*frequency);
    }
    if (!takeOption(args, "--mode", value, found))
        return std::nullopt;
    if (found) {
        const auto* mode = std::find(std::begin(MODE_NAMES), std::end(MODE_NAMES), value);
        if (mode == std::end(MODE_NAMES)) {
            usageError("measure: --mode wants standard, accurate or precise, not '" + value + "'");
            return std::nullopt;
        }
        options.accuracy = static_cast<int>(mode - std::begin(MODE_NAMES));
    }
    if (!takeOption(args, "--calib-in", value, found))
        return std::nullopt;
    if (found) {
        const std::optional<double> cents = parseNumber(value);
        if (!cents || std::fabs(*cents) > 1.0e6) {
            usageError("measure: --calib-in wants a number of cents, not '" + value + "'");
            return std::nullopt;
        }
        options.calibIn = static_cast<float>(*cents);
    }
    if (!takeOption(args, "--harmonics", value, found))
        return std::nullopt;
    if (found && !parseHarmonics(value, options.harmonics)) {
        usageError("measure: --harmonics wants a list of 1, 1.5, 2, 2.25, 3, 4 (e.g. 1,2,3) or "
                   "none, not '" +
                   value + "'");
        return std::nullopt;
    }
    if (!takeOption(args, "--seed", value, found))
        return std::nullopt;
    if (found) {
        const bool digits = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
            return c >= '0' && c <= '9';
        });
        const std::optional<int> seed = digits ? NumberText::parseInt(value) : std::nullopt;
        if (!seed) {
            usageError("measure: --seed wants a whole number 0 .. 2147483647, not '" + value + "'");
            return std::nullopt;
        }
        options.seed = static_cast<unsigned int>(*seed);
    }
    options.json = takeFlag(args, "--json");

    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-') {
            usageError("measure: unknown option '" + arg + "'");
            return std::nullopt;
        }
    }
    if (args.empty()) {
        usageError("measure: which recording? (tonvela-cli measure RECORDING)");
        return std::nullopt;
    }
    options.path = args[0];
    args.erase(args.begin());
    if (!noArgumentsLeft(args, COMMAND))
        return std::nullopt;
    return options;
}

// The target the recording is measured against, as the tuner panel takes it
// from the scale settings, or the frequency given directly (then the note is
// the nearest one unless named). The one place that turns the options into a
// target. Nothing, with a message, for a temperament that does not exist.
std::optional<TargetData> targetFor(const MeasureOptions& options) {
    ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    if (!applyScaleOptions(options.scale, scales))
        return std::nullopt;
    int note = 57;
    if (options.note) {
        note = *options.note;
    } else if (options.frequency) {
        const double semitones =
            12.0 * std::log2(static_cast<double>(*options.frequency) / options.scale.pitch);
        note = static_cast<int>(std::clamp(57.0 + std::round(semitones), 0.0, 95.0));
    }
    const float frequency = options.frequency ? *options.frequency : scales.getNoteFrequency(note);
    return TargetData(note, frequency, scales.getNoteLabel(note));
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

float median(std::vector<float> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1)
        return values[middle];
    return static_cast<float>(
        (static_cast<double>(values[middle - 1]) + static_cast<double>(values[middle])) / 2.0);
}

// Prints each result as it is delivered, with the simulated time at which the
// analysis thread posted it, and keeps what the summary needs.
class ResultPrinter : public ResultReceiver {
public:
    ResultPrinter(AnalysisClock& clock, bool json) : clock(clock), json(json) {}

    void deliver(std::unique_ptr<AnalysisResultIfc> result) override {
        if (!result)
            return;
        const std::string time = NumberText::fixed(clock.now() / 1000.0, 3);
        const auto* precise = dynamic_cast<const AnalysisResultPro*>(result.get());
        if (precise)
            frequencyDecimals = std::max(frequencyDecimals, precise->getFrequencyDecimals());
        ++count;
        if (result->isValid()) {
            validCents.push_back(result->getCents());
            validFrequencies.push_back(result->getFrequency());
        }
        if (json) {
            std::string line = "{\"time\":" + time +
                               ",\"cents\":" + NumberText::fixed(result->getCents(), 4) +
                               ",\"frequency\":" + NumberText::fixed(result->getFrequency(), 4) +
                               ",\"valid\":" + (result->isValid() ? "true" : "false") +
                               ",\"windowMs\":" + NumberText::integer(result->getWindowMs());
            if (precise)
                line += ",\"correctedFrequency\":" +
                        NumberText::fixed(precise->getCalibratedFrequency(), 6);
            std::printf("%s}\n", line.c_str());
        } else {
            std::printf("%9s s  %8s cents  %11s Hz  %-7s  window %s ms\n", time.c_str(),
                        result->getCentsText().c_str(), result->getFrequencyText().c_str(),
                        result->isValid() ? "valid" : "invalid",
                        NumberText::integer(result->getWindowMs()).c_str());
        }
    }

    void printSummary(const TargetData& target, int accuracy) const {
        const bool any = !validCents.empty();
        const float cents = any ? median(validCents) : 0.0f;
        const float frequency = any ? median(validFrequencies) : 0.0f;
        if (json) {
            std::string line =
                "{\"results\":" + NumberText::integer(count) + ",\"validResults\":" +
                NumberText::integer(static_cast<long long>(validCents.size())) +
                ",\"medianCents\":" + (any ? NumberText::fixed(cents, 4) : "null") +
                ",\"medianFrequency\":" + (any ? NumberText::fixed(frequency, 4) : "null") +
                ",\"note\":" + jsonString(target.name) +
                ",\"targetFrequency\":" + NumberText::fixed(target.frequency, 4) + ",\"mode\":\"" +
                MODE_NAMES[accuracy] + "\"}";
            std::printf("%s\n", line.c_str());
            return;
        }
        std::printf("results: %s, valid: %s\n", NumberText::integer(count).c_str(),
                    NumberText::integer(static_cast<long long>(validCents.size())).c_str());
        if (any) {
            std::printf("median cents: %s\nmedian frequency: %s Hz\n",
                        NumberText::signedFixed(cents, 2).c_str(),
                        NumberText::fixed(frequency, frequencyDecimals).c_str());
        } else {
            std::printf("median cents: none\nmedian frequency: none\n");
        }
    }

private:
    AnalysisClock& clock;
    bool json;
    int frequencyDecimals = 2;
    long long count = 0;
    std::vector<float> validCents;
    std::vector<float> validFrequencies;
};

// Delivers the next buffer. The capture thread queues its buffers and starts
// the device on its own; until it has, a step finds nothing to fill, so that
// is waited for a little in real time.
bool stepDevice(const CliInput& input) {
    for (int tries = 0; tries < STEP_TRIES; ++tries) {
        if (input.backend->step(input.device))
            return true;
        Thread::sleep(STEP_RETRY_MS);
    }
    return false;
}

int runMeasure(const std::vector<std::string>& args) {
    const std::optional<MeasureOptions> parsed = parseOptions(args);
    if (!parsed)
        return 2;
    const MeasureOptions& options = *parsed;
    const std::optional<TargetData> chosen = targetFor(options);
    if (!chosen)
        return 2;
    const TargetData& target = *chosen;

    CliInput input;
    std::string error;
    if (!installRecordingInput(options.path, VirtualInputDevice::Pacing::Stepped, input, error)) {
        std::fprintf(stderr, "tonvela-cli measure: %s\n", error.c_str());
        return 1;
    }
    const RecordingFile& recording = *input.recording;
    // Whole 200 ms buffers of the samples the file really holds; the last one
    // is padded with silence.
    const auto bufferCount = static_cast<long long>(
        (recording.frames * (1000 / BUFFER_MS) + recording.sampleRate - 1) / recording.sampleRate);

    // The options hold for this run only: the user's own settings are put
    // back afterwards, so nothing of them is ever stored.
    DataStructure& state = DataStructure::getInstance();
    MeasurementSettings saved;
    state.getMeasurementSettings(saved);
    const int savedDevice = state.getInputDevice();
    MeasurementSettings settings = saved;
    settings.accuracy = options.accuracy;
    settings.calibIn = options.calibIn;
    std::copy(std::begin(options.harmonics), std::end(options.harmonics), settings.harmonics);
    state.setMeasurementSettings(settings);
    state.setInputDevice(input.device);
    tonvela::srand(options.seed);

    if (!options.json) {
        std::printf(
            "recording: %s, %s s at %s Hz\ntarget: %s at %s Hz, mode %s\n", options.path.c_str(),
            NumberText::fixed(static_cast<double>(recording.frames) / recording.sampleRate, 3)
                .c_str(),
            NumberText::integer(recording.sampleRate).c_str(), target.name.c_str(),
            NumberText::fixed(target.frequency, 2).c_str(), MODE_NAMES[options.accuracy]);
    }

    UpdateThread* analysis = nullptr;
    long long delivered = 0;
    bool stalled = false;
    // Runs on the analysis thread whenever another 200 ms of simulated time
    // has passed; after the last buffer the measurement ends.
    SimulatedClock clock(BUFFER_MS, [&] {
        if (delivered >= bufferCount) {
            analysis->requestStop();
        } else if (stepDevice(input)) {
            ++delivered;
        } else {
            stalled = true;
            analysis->requestStop();
        }
    });
    ResultPrinter printer(clock, options.json);
    {
        UpdateThread thread(&clock);
        analysis = &thread;
        thread.setReceiver(&printer);
        thread.setTarget(&target);
        thread.resume();
        thread.join();
    }
    // The capture driver goes before its device's backend.
    CaptureDriverManager::destroyInstance();
    state.setMeasurementSettings(saved);
    state.setInputDevice(savedDevice);

    if (stalled) {
        std::fprintf(stderr, "tonvela-cli measure: the recording could not be played into the "
                             "capture driver\n");
        return 1;
    }
    printer.printSummary(target, options.accuracy);
    return 0;
}

const CliCommand::Registrar registrar(
    {"measure",
     "measure RECORDING [--note A4|0..95] [--temperament KEY] [--keynote NAME] "
     "[--pitch HZ | --frequency HZ] [--calibration CENTS] "
     "[--mode standard|accurate|precise] [--calib-in CENTS] [--harmonics 1,1.5,2,2.25,3,4] "
     "[--seed N] [--json] [--language en|de]",
     "measure a recording (any format libsndfile reads) against a target note, on the "
     "analysis thread's cadence; the same seed gives the same output",
     &runMeasure});

} // namespace

} // namespace tonvela::cli
