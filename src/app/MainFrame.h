#pragma once

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace tonvela {

class AnalysisClock;
class ResourceManager;
class RecentFileList;
class ReportPrinting;
class RecoveryFile;
class TonvelaDoc;
class TonvelaView;
struct WindowHandle;

// The main window: menu, toolbar, status bar and the view. It carries out the
// document commands (New, Open, Save, Save As, the recent files, files
// dropped on it) for the one document, with the save question before a
// modified document would be lost.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The window's sizes, without its frame.
    static constexpr int MinimumWidth = 760;
    static constexpr int MinimumHeight = 620;
    static constexpr int StartWidth = 1024;
    static constexpr int StartHeight = 680;
    // Room the desktop's title bar and decorations take above the window.
    static constexpr int WindowFrameAllowance = 40;

    // resources: the displays' fonts and brush, borrowed, outliving the
    // frame. clock: the tuner panel's analysis time base, borrowed; null
    // measures in real time.
    MainFrame(TonvelaDoc& document, RecentFileList& recentFiles, const std::string& helpPath,
              const ResourceManager& resources, AnalysisClock* clock = nullptr);
    ~MainFrame() override;

    TonvelaView* getView() const { return view; }
    TonvelaDoc& getDocument() const { return document; }
    WindowHandle* handle() const { return frameHandle; }
    // The command's action (menu item, accelerator, toolbar button); null for
    // an id the window does not have.
    QAction* action(int commandId) const;
    QToolBar* toolBar() const { return tools; }

    // The document's path, empty while it was never saved or opened.
    const std::string& getPathName() const { return pathName; }
    // "New protocol" or the file's name.
    std::string getTitle() const;

    // The commands. Each returns whether it was carried out; Cancel in the
    // save question or a file dialog, or a failure, gives false.
    bool onFileNew();
    bool onFileOpen();
    bool onFileSave();
    bool onFileSaveAs();
    // Opens path as the document after the save question, as the recent
    // files, the command line, a drop and a later start do. A failure is
    // reported and leaves the document as it was.
    bool openDocumentFile(const std::string& path);
    // Starts with a new document (the program's start without a file).
    void newDocumentAtStart();
    // Keeps every change of a modified document in file until it is saved
    // or let go (borrowed; null keeps none).
    void setRecoveryFile(RecoveryFile* file);
    // Opens a recovery file left by a session that ended without saving: the
    // document comes back modified, under its former path (documentPath, ""
    // for a new protocol). A failure is reported and changes nothing.
    bool restoreRecovered(const std::string& file, const std::string& documentPath);
    // The window was closed with the user's consent (nothing unsaved, saved,
    // or No to the save question).
    bool closedByUser() const { return letGo; }
    // The save question for a modified document: true when the program may
    // go on (saved, or No, which also drops the recovery file), false on
    // Cancel or a failed save.
    bool saveModified();
    void onHelpFinder();
    // The settings commands; each returns whether its dialog was confirmed
    // with OK and its result handed on.
    bool onProtocolProperties();
    bool onSettingsMeasurement();
    bool onSettingsInputDevice();
    bool onSettingsLanguage();
    // The report's commands: Print, Print Preview, Print Setup, Export PDF.
    ReportPrinting& reportPrinting() const { return *printing; }
    void onAppAbout();
    // Tune → Scale...: the scale dialog; after OK its choice becomes the
    // scale settings in one change.
    void onTuneScale();
    // Tune → My Temperaments...: the temperament manager; its lists go to
    // the user store however it closes.
    void onTuneTemperaments();
    // Protocol → Store Protocol As Temperament...: the same, first offering
    // the measured protocol as a new full temperament.
    void onProtocolStoreAsTemperament();
    // Brings the window to the front (a later start handed over a file).
    void bringToFront();
    // The status bar's message pane while no command's prompt is shown.
    QString idleMessage() const;
    // Sets that pane to "Ready", or to why nothing is measured (the timer
    // does it twice a second).
    void updateInputStatus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* addCommand(int commandId, int textId);
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void updateRecentFileMenu();
    void updateTitle();
    bool loadDocument(const std::string& path);
    bool doSave(const std::string& path);
    void showFailure(const std::string& message);
    void runTemperaments(bool withProtocol);
    void documentChanged();
    void writeRecovery();

    TonvelaDoc& document;
    RecentFileList& recentFiles;
    std::string helpPath;
    std::string pathName;
    TonvelaView* view = nullptr;
    WindowHandle* frameHandle = nullptr;
    QToolBar* tools = nullptr;
    QLabel* idleLabel = nullptr;
    QAction* recentPlaceholder = nullptr;
    std::map<int, QAction*> actions;
    std::unique_ptr<ReportPrinting> printing;
    RecoveryFile* recovery = nullptr;
    bool recoveryPending = false;
    bool letGo = false;
};

} // namespace tonvela
