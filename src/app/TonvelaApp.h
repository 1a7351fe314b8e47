#pragma once

#include "app/RecentFileList.h"
#include "runtime/Trace.h"

#include <memory>
#include <string>
#include <vector>

class QTranslator;

namespace tonvela {

class AnalysisClock;
class MainFrame;
class RecoveryFile;
class ResourceManager;
class SingleInstance;
class TonvelaDoc;

// The application: brings the program up in its order (trace sink, settings
// root, language, sound devices and with them the central state, help,
// recent files, the document with frame, view and tuner panel, the shown
// window) and takes it down the other way from its own quit path. The Qt
// application object exists before and after it.
class TonvelaApp {
public:
    TonvelaApp();
    ~TonvelaApp();
    TonvelaApp(const TonvelaApp&) = delete;
    TonvelaApp& operator=(const TonvelaApp&) = delete;

    enum class Start {
        Running,    // the main window is shown; run the event loop
        HandedOver, // a running instance took the file; end with success
        Failed,     // --help, --version, a bad command line or input file, or done
                    // printing: end with exitCode()
    };
    // arguments without the program's name: [--input-file FILE] [FILE.tnv],
    // or --print FILE.tnv, or --print-to PRINTER FILE.tnv.
    Start initInstance(const std::vector<std::string>& arguments);
    // Takes the program down: frame, view and panel (its threads stopped,
    // its layout saved), the document, the recent files, then the capture,
    // the sound devices and the central state, which saves the measurement
    // settings. Safe to call more than once.
    void exitInstance();

    int exitCode() const { return code; }
    MainFrame* getMainFrame() const { return frame.get(); }
    TonvelaDoc* getDocument() const { return document.get(); }
    const std::string& getHelpPath() const { return helpPath; }

    static std::string usage();

    // The tuner panel's analysis time base instead of real time, for a run
    // whose sound input is stepped by its caller (the end-to-end tests).
    // Borrowed; set before initInstance, it must outlive exitInstance.
    void setAnalysisClock(AnalysisClock* clock) { analysisClock = clock; }

private:
    void installQtTranslation();
    // The print switches: the report of the document printed without a
    // window; exitCode() 0 when it was printed.
    Start printAndEnd(const std::string& path, const std::string& printer);
    void openHandedOverFile(const std::string& path);
    // Offers the protocols of earlier sessions that ended without saving.
    void offerRecovery();

    AfxTracer tracer;
    RecentFileList recentFiles{4};
    std::string helpPath;
    std::unique_ptr<QTranslator> qtTranslator;
    // The displays' fonts and brush, made before the frame and kept until
    // it has gone.
    std::unique_ptr<ResourceManager> resources;
    std::unique_ptr<TonvelaDoc> document;
    std::unique_ptr<MainFrame> frame;
    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<RecoveryFile> recovery;
    AnalysisClock* analysisClock = nullptr;
    bool started = false;
    int code = 0;
};

} // namespace tonvela
