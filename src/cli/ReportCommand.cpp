// tonvela-cli report: the one-page tune-up report of a document as PDF, the
// same page the desktop program prints, without a printer or a display.
#include "cli/CliCommand.h"
#include "cli/TuningOptions.h"
#include "report/ReportPdf.h"
#include "report/TuneUpReport.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>

namespace tonvela::cli {

namespace {

bool hasOption(const std::vector<std::string>& args, const std::string& name) {
    for (const std::string& arg : args)
        if (arg == name || arg.rfind(name + "=", 0) == 0)
            return true;
    return false;
}

int runReport(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (!setUpLanguage(args))
        return 2;
    std::string output;
    bool hasOutput = false;
    if (!takeOption(args, "-o", output, hasOutput))
        return 2;
    // The options given replace the document's own scale settings; the others
    // stay as the document has them.
    const bool hasKey = hasOption(args, "--temperament");
    const bool hasKeynote = hasOption(args, "--keynote");
    const bool hasPitch = hasOption(args, "--pitch");
    const bool hasCalibration = hasOption(args, "--calibration");
    ScaleOptions given;
    if (!takeScaleOptions(args, given))
        return 2;
    if (!hasOutput || output.empty())
        return usageError("report needs the output file: report FILE.tnv -o REPORT.pdf");
    if (args.size() != 1 || args[0].rfind("--", 0) == 0)
        return usageError("report takes one document file: report FILE.tnv -o REPORT.pdf");
    const std::string path = args[0];

    // Fonts and the PDF writer need Qt's GUI application, on a platform
    // that needs no display.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    static int argc = 1;
    static char name[] = "tonvela-cli";
    static char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    TonvelaDoc doc;
    std::string message;
    if (!doc.OnOpenDocument(path, message)) {
        std::fprintf(stderr, "tonvela-cli report: %s: %s\n", path.c_str(), message.c_str());
        return 1;
    }
    DataStructure& state = DataStructure::getInstance();
    ToneScaleCollection& scales = state.getToneScales();
    if (hasKey || hasKeynote || hasPitch || hasCalibration) {
        ScaleOptions options;
        options.key = hasKey ? given.key : scales.getCurrentScale()->getKey();
        options.keynote = hasKeynote ? given.keynote : scales.getKeynote();
        options.pitch = hasPitch ? given.pitch : scales.getStandardPitch();
        options.calibration = hasCalibration ? given.calibration : scales.getCalibration();
        if (!applyScaleOptions(options, scales))
            return 2;
    }

    const TuneUpReport report(doc, state.getProtocol(), scales,
                              TuneUpReport::webAddressFromSettings());
    if (!writeReportPdf(report, output, userPaperSize(), message)) {
        std::fprintf(stderr, "tonvela-cli report: %s\n", message.c_str());
        return 1;
    }
    return 0;
}

const CliCommand::Registrar
    registrar({"report",
               "report FILE.tnv -o REPORT.pdf [--temperament KEY] [--keynote NAME] [--pitch HZ] "
               "[--calibration CENTS] [--language en|de]",
               "the one-page tune-up report of a document as PDF (A4, Letter in Letter locales)",
               &runReport});

} // namespace

} // namespace tonvela::cli
