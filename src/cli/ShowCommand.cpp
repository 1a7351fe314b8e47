// tonvela-cli show: what a tune-up document holds, with every measured note's
// deviation against the document's own scale.
#include "cli/CliCommand.h"
#include "cli/TuningOptions.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "runtime/NumberText.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"

#include <cstdio>
#include <ctime>

namespace tonvela::cli {

namespace {

// Lines after the first are indented, so a multi-line text stays readable.
std::string indented(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
        if (text[i] == '\n')
            out += "    ";
    }
    return out;
}

std::string dateText(std::int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts;
    char buffer[64];
    std::string text;
    if (gmtime_r(&time, &parts) &&
        std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S UTC", &parts))
        text = std::string(buffer) + " ";
    return text + "(" + NumberText::integer(seconds) + ")";
}

void printField(int labelId, const std::string& value) {
    std::printf("%s %s\n", loadString(labelId).c_str(), indented(value).c_str());
}

int runShow(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (!setUpLanguage(args))
        return 2;
    if (args.size() != 1 || args[0].rfind("--", 0) == 0)
        return usageError("show takes one document file: show FILE.tnv");
    const std::string path = args[0];

    TonvelaDoc doc;
    std::string message;
    if (!doc.OnOpenDocument(path, message)) {
        // The message names the file and the reason itself.
        std::fprintf(stderr, "tonvela-cli show: %s\n", message.c_str());
        return 1;
    }

    const DataStructure& state = DataStructure::getInstance();
    const ToneScaleCollection& scales = state.getToneScales();
    const ToneScale* scale = scales.getCurrentScale();
    printField(IDS_TEMPERAMENT, scale->getName() + " (" + scale->getKey() + ")");
    printField(IDS_KEYNOTE, scales.getKeynoteName());
    printField(IDS_STANDARD_PITCH, scales.formatStandardPitch() + " Hz");
    std::printf("%s: %s cents\n", loadString(IDS_CALIBRATION).c_str(),
                scales.formatCalibration().c_str());
    printField(IDS_MEASUREMENT_DONE_BY, doc.getAuthor());
    printField(IDS_INSTRUMENT, doc.getInstrument());
    printField(IDS_CUSTOMER, doc.getCustomer());
    printField(IDS_LOCATION, doc.getLocation());
    printField(IDS_REMARKS, doc.getRemarks());
    std::printf("%s%s\n", loadString(IDS_DATE).c_str(), dateText(doc.getDate()).c_str());
    printField(IDS_MEASURING_TOOL, doc.getVersion());

    const Protocol& protocol = state.getProtocol();
    std::printf("%s\n", loadString(IDS_MEASURED_TONES).c_str());
    for (int note = 0; note < Protocol::NoteCount; ++note) {
        const float frequency = protocol.getFrequency(note);
        if (frequency == 0.0f)
            continue;
        std::printf("%d\t%s\t%s Hz\t%s\n", note, scales.getNoteLabel(note).c_str(),
                    NumberText::fixed(frequency, 3).c_str(),
                    scales.formatDeviation(note, frequency).c_str());
    }
    return 0;
}

const CliCommand::Registrar registrar({"show", "show FILE.tnv [--language en|de]",
                                       "the scale, texts and measured notes of a tune-up document",
                                       &runShow});

} // namespace

} // namespace tonvela::cli
