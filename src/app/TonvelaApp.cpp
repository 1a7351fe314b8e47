#include "app/TonvelaApp.h"

#include "app/HelpLauncher.h"
#include "app/MainFrame.h"
#include "app/ReportPrinting.h"
#include "app/SingleInstance.h"
#include "app/TonvelaView.h"
#include "audio/CaptureDriverManager.h"
#include "audio/SoundDeviceManager.h"
#include "panel/MeasuringTool.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/WindowSystem.h"
#include "platform/store/Settings.h"
#include "resources/CommandIds.h"
#include "resources/Language.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "state/DataStructure.h"
#include "state/RecoveryFile.h"
#include "state/TonvelaDoc.h"
#include "widgets/ResourceManager.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

namespace tonvela {

namespace {

struct CommandLine {
    std::string inputFile;
    std::string document;
    std::string error;
    bool help = false;
    bool print = false;  // --print or --print-to
    std::string printer; // --print-to's printer; empty for the default one
    bool version = false;
};

CommandLine parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--version") {
            line.version = true;
        } else if (arg == "--input-file") {
            if (i + 1 >= arguments.size()) {
                line.error = "--input-file needs a file";
                break;
            }
            line.inputFile = arguments[++i];
        } else if (arg.rfind("--input-file=", 0) == 0) {
            line.inputFile = arg.substr(13);
        } else if (arg == "--print") {
            line.print = true;
        } else if (arg == "--print-to") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                line.error = "--print-to needs a printer";
                break;
            }
            line.print = true;
            line.printer = arguments[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            line.error = "unknown option '" + arg + "'";
            break;
        } else if (line.document.empty()) {
            line.document = arg;
        } else {
            line.error = "only one document can be opened";
            break;
        }
    }
    if (line.error.empty() && line.print && line.document.empty())
        line.error = "printing needs a document";
    return line;
}

// A recording in place of the sound card: the one input device plays it in
// real time, once, then silence. It is read from disk as it plays, so its
// length costs no memory, and the tones played are not kept: a program that
// tunes for hours must not gather every sample it ever played.
bool installRecordingInput(const std::string& path, std::string& error) {
    auto recording = std::make_shared<RecordingFile>();
    if (!openRecordingFile(path, *recording, error))
        return false;
    if (recording->frames == 0 || recording->sampleRate == 0) {
        error = "'" + path + "' holds no sound";
        return false;
    }
    VirtualInputDevice device;
    device.name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    device.pacing = VirtualInputDevice::Pacing::RealTime;
    device.recordingFile = std::move(recording);
    auto backend = std::make_unique<VirtualAudioBackend>();
    backend->setOutputPacing(VirtualAudioBackend::OutputPacing::RealTime, false);
    backend->addInputDevice(std::move(device));
    if (!installAudioBackend(std::move(backend))) {
        error = "the sound input is still in use";
        return false;
    }
    return true;
}

} // namespace

TonvelaApp::TonvelaApp() = default;

TonvelaApp::~TonvelaApp() {
    exitInstance();
}

std::string TonvelaApp::usage() {
    return "Usage: tonvela [--input-file RECORDING] [FILE.tnv]\n"
           "       tonvela --print FILE.tnv | --print-to PRINTER FILE.tnv\n\n"
           "Tonvela, a chromatic tuner for musical instruments.\n\n"
           "  FILE.tnv                 open this tune-up protocol\n"
           "  --input-file RECORDING   play a recording (WAV, FLAC, Ogg...) in real time\n"
           "                           in place of the sound card\n"
           "  --print                  print the report of FILE.tnv on the default printer\n"
           "                           and end, without showing the window\n"
           "  --print-to PRINTER       the same on the printer of that name\n"
           "  --help                   show this help\n"
           "  --version                show the version\n";
}

TonvelaApp::Start TonvelaApp::initInstance(const std::vector<std::string>& arguments) {
    const CommandLine line = parse(arguments);
    if (line.help) {
        std::fputs(usage().c_str(), stdout);
        code = 0;
        return Start::Failed;
    }
    if (line.version && line.error.empty()) {
        std::printf("tonvela %s\n", TONVELA_VERSION);
        code = 0;
        return Start::Failed;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "tonvela: %s\n\n%s", line.error.c_str(), usage().c_str());
        code = 2;
        return Start::Failed;
    }

    setTracer(&tracer);
    Settings::openRoot("Tonvela");

    if (line.print)
        return printAndEnd(line.document, line.printer);

    // A file for an instance that already runs goes to it, before this start
    // touches the sound devices or the settings.
    if (!line.document.empty()) {
        const QString path = QFileInfo(QString::fromStdString(line.document)).absoluteFilePath();
        if (SingleInstance::handOver(path)) {
            code = 0;
            return Start::HandedOver;
        }
    }

    // The language is fixed before any window exists.
    const bool german = isGermanLanguage();
    installQtTranslation();

    if (!line.inputFile.empty()) {
        std::string error;
        if (!installRecordingInput(line.inputFile, error)) {
            std::fprintf(stderr, "tonvela: %s\n", error.c_str());
            code = 1;
            return Start::Failed;
        }
    }
    // Selecting the saved input device creates the central state, which loads
    // the measurement settings.
    SoundDeviceManager::getInstance();
    started = true;

    helpPath = helpFilePath(QCoreApplication::applicationDirPath().toStdString(), german);
    recentFiles.load();

    document = std::make_unique<TonvelaDoc>();
    resources = std::make_unique<ResourceManager>();
    frame =
        std::make_unique<MainFrame>(*document, recentFiles, helpPath, *resources, analysisClock);
    frame->newDocumentAtStart();
    frame->getView()->onInitialUpdate();
    // The window comes first, so every question and message about the
    // documents below appears over it.
    frame->show();
    // The tuner's keys work at once, without a click on the panel first.
    if (MeasuringTool* panel = frame->getView()->getMeasuringTool())
        setFocus(panel->getHandle());

    recovery = std::make_unique<RecoveryFile>();
    frame->setRecoveryFile(recovery.get());
    offerRecovery();
    // A file that cannot be opened has been reported; the program goes on
    // with the protocol it has.
    if (!line.document.empty())
        frame->openDocumentFile(line.document);

    instance = std::make_unique<SingleInstance>();
    QObject::connect(instance.get(), &SingleInstance::fileReceived, frame.get(),
                     [this](const QString& path) { openHandedOverFile(path.toStdString()); });
    instance->listen();

    DataStructure::getInstance();
    code = 0;
    return Start::Running;
}

TonvelaApp::Start TonvelaApp::printAndEnd(const std::string& path, const std::string& printer) {
    // No window, no sound: the document and the scale settings are all the
    // report needs.
    isGermanLanguage();
    installQtTranslation();
    std::string message;
    {
        TonvelaDoc doc;
        if (!doc.OnOpenDocument(path, message))
            message = path + ": " + message;
        else if (ReportPrinting::printTo(doc, printer, message))
            message.clear();
    }
    DataStructure::shutdown();
    if (!message.empty())
        std::fprintf(stderr, "tonvela: %s\n", message.c_str());
    code = message.empty() ? 0 : 1;
    return Start::Failed;
}

void TonvelaApp::offerRecovery() {
    RecoveryFile::LeftBehind left;
    while (recovery->claimLeftBehind(left)) {
        std::string title = loadString(IDS_UNTITLED);
        if (!left.documentPath.empty())
            title = QFileInfo(QString::fromStdString(left.documentPath)).fileName().toStdString();
        std::string question = loadString(IDS_RECOVER_QUESTION);
        question.replace(question.find("%1"), 2, title);
        const int answer =
            messageBox(frame->handle(), question, "Tonvela", MB_YESNO | MB_ICONQUESTION);
        if (answer == IDYES && frame->restoreRecovered(left.file, left.documentPath)) {
            // This session's own file holds it before the old one goes.
            frame->setRecoveryFile(recovery.get());
            recovery->discardClaimed();
            return;
        }
        // Declined (or unreadable): it is not offered again.
        recovery->discardClaimed();
    }
}

void TonvelaApp::openHandedOverFile(const std::string& path) {
    if (!frame)
        return;
    frame->bringToFront();
    frame->openDocumentFile(path);
}

void TonvelaApp::installQtTranslation() {
    if (!isGermanLanguage())
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        qtTranslator = std::move(translator);
    }
}

void TonvelaApp::exitInstance() {
    if (instance)
        instance->close();
    instance.reset();
    // A clean end drops the recovery file; one that left unsaved changes
    // without the user's word (a session that ended) keeps it for the next
    // start.
    if (recovery && frame && document) {
        if (frame->closedByUser() || !document->IsModified())
            recovery->remove();
        else
            frame->setRecoveryFile(recovery.get()); // writes the last change now
    }
    if (frame)
        frame->setRecoveryFile(nullptr);
    recovery.reset();
    // The view goes with the frame and takes the tuner panel with it, which
    // ends its threads and saves its layout.
    frame.reset();
    document.reset();
    resources.reset();
    if (started) {
        recentFiles.save();
        CaptureDriverManager::destroyInstance();
        SoundDeviceManager::destroyInstance();
        DataStructure::shutdown();
        started = false;
    }
    if (qtTranslator) {
        QCoreApplication::removeTranslator(qtTranslator.get());
        qtTranslator.reset();
    }
    setTracer(nullptr);
}

} // namespace tonvela
