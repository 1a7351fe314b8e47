#include "app/MainFrame.h"

#include "app/DonationReminder.h"
#include "app/FileDialogs.h"
#include "app/HelpLauncher.h"
#include "app/LostInputIndicator.h"
#include "app/RecentFileList.h"
#include "app/ReportPrinting.h"
#include "app/TonvelaView.h"
#include "app/dialogs/CAboutDlg.h"
#include "app/dialogs/InputDeviceDialog.h"
#include "app/dialogs/LanguageDialog.h"
#include "app/dialogs/MeasurementSettingsDialog.h"
#include "app/dialogs/PropertiesDialog.h"
#include "app/dialogs/ScaleDialog.h"
#include "app/dialogs/SettingsDialogSupport.h"
#include "app/dialogs/TemperamentsDialog.h"
#include "audio/CaptureDriverManager.h"
#include "audio/SoundDeviceManager.h"
#include "panel/MeasuringTool.h"
#include "platform/gui/Icon.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/QtBridge.h"
#include "platform/store/Settings.h"
#include "resources/CommandIds.h"
#include "resources/IconIds.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "state/Archive.h"
#include "state/DataStructure.h"
#include "state/RecoveryFile.h"
#include "state/TonvelaDoc.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace tonvela {

namespace {

const char* const AppTitle = "Tonvela";

QString text(int id) {
    return QString::fromStdString(loadString(id));
}

// The part of a command's string before "\n" is its status-bar prompt, the
// part after it its tooltip.
void setPrompt(QAction* action, int commandId) {
    const QString prompt = text(commandId);
    const qsizetype newline = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(newline < 0 ? prompt : prompt.left(newline));
    if (newline >= 0)
        action->setToolTip(prompt.mid(newline + 1));
}

std::string absolutePath(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}

// A recent file as its menu item shows it: the home folder as "~", long
// paths shortened in the middle.
QString menuPath(const std::string& path) {
    QString shown = QString::fromStdString(path);
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QLatin1String("/") && shown.startsWith(home + QLatin1Char('/')))
        shown = QLatin1Char('~') + shown.mid(home.size());
    constexpr int MaxLength = 60;
    if (shown.size() > MaxLength) {
        const QString name = QFileInfo(shown).fileName();
        const qsizetype head = std::max<qsizetype>(0, MaxLength - name.size() - 4);
        shown = shown.left(head) + QStringLiteral("...") + QLatin1Char('/') + name;
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return shown;
}

} // namespace

MainFrame::MainFrame(TonvelaDoc& document, RecentFileList& recentFiles, const std::string& helpPath,
                     const ResourceManager& resources, AnalysisClock* clock)
    : document(document), recentFiles(recentFiles), helpPath(helpPath) {
    setObjectName(QStringLiteral("MainFrame"));
    frameHandle = adoptWidget(this);
    printing = std::make_unique<ReportPrinting>(document, this);
    if (IconHandle icon = loadIcon(IconProgram))
        setWindowIcon(toQIcon(icon));

    createMenus();
    createToolBar();
    createStatusBar();

    view = new TonvelaView(document, this, DataStructure::getInstance(), resources, clock);
    setCentralWidget(view);

    setAcceptDrops(true);
    // Below this every display still draws legibly (the protocol grid keeps
    // a 12-pixel font); the first size fits a 1366 x 768 screen with the
    // window's title bar and the desktop's panel.
    setMinimumSize(MinimumWidth, MinimumHeight);
    QSize size(StartWidth, StartHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableGeometry().size();
        size = size.boundedTo(QSize(available.width(), available.height() - WindowFrameAllowance));
    }
    resize(size.expandedTo(minimumSize()));
    document.setChangeListener([this] { documentChanged(); });
    updateTitle();
}

MainFrame::~MainFrame() {
    document.setChangeListener(nullptr);
}

QAction* MainFrame::action(int commandId) const {
    const auto it = actions.find(commandId);
    return it == actions.end() ? nullptr : it->second;
}

QAction* MainFrame::addCommand(int commandId, int textId) {
    QString label = textId ? text(textId) : QString();
    auto* action = new QAction(this);
    action->setObjectName(QString::number(commandId));
    action->setText(label);
    // The menu shows the accelerator written after the tab as it is; the
    // action makes it work.
    const qsizetype tab = label.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        action->setShortcut(
            QKeySequence::fromString(label.mid(tab + 1), QKeySequence::PortableText));
    setPrompt(action, commandId);
    actions[commandId] = action;
    return action;
}

void MainFrame::createMenus() {
    QAction* fileNew = addCommand(ID_FILE_NEW, IDS_ITEM_NEW);
    QAction* fileOpen = addCommand(ID_FILE_OPEN, IDS_ITEM_OPEN);
    QAction* fileSave = addCommand(ID_FILE_SAVE, IDS_ITEM_SAVE);
    QAction* fileSaveAs = addCommand(ID_FILE_SAVE_AS, IDS_ITEM_SAVE_AS);
    QAction* filePrint = addCommand(ID_FILE_PRINT, IDS_ITEM_PRINT);
    QAction* filePrintPreview = addCommand(ID_FILE_PRINT_PREVIEW, IDS_ITEM_PRINT_PREVIEW);
    QAction* filePrintSetup = addCommand(ID_FILE_PRINT_SETUP, IDS_ITEM_PRINT_SETUP);
    QAction* fileExportPdf = addCommand(ID_FILE_EXPORT_PDF, IDS_ITEM_EXPORT_PDF);
    QAction* appExit = addCommand(ID_APP_EXIT, IDS_ITEM_EXIT);
    QAction* viewToolBar = addCommand(ID_VIEW_TOOLBAR, IDS_ITEM_TOOLBAR);
    QAction* viewStatusBar = addCommand(ID_VIEW_STATUS_BAR, IDS_ITEM_STATUS_BAR);
    QAction* helpFinder = addCommand(ID_HELP_FINDER, IDS_ITEM_HELP_TOPICS);
    helpFinder->setShortcuts({QKeySequence(Qt::Key_F1), QKeySequence(Qt::SHIFT | Qt::Key_F1)});
    helpFinder->setShortcutContext(Qt::ApplicationShortcut);

    connect(fileNew, &QAction::triggered, this, [this] { onFileNew(); });
    connect(fileOpen, &QAction::triggered, this, [this] { onFileOpen(); });
    connect(fileSave, &QAction::triggered, this, [this] { onFileSave(); });
    connect(fileSaveAs, &QAction::triggered, this, [this] { onFileSaveAs(); });
    connect(filePrint, &QAction::triggered, this, [this] { printing->print(); });
    connect(filePrintPreview, &QAction::triggered, this, [this] { printing->printPreview(); });
    connect(filePrintSetup, &QAction::triggered, this, [this] { printing->printSetup(); });
    connect(fileExportPdf, &QAction::triggered, this, [this] {
        // Beside the document, under its name.
        const QFileInfo base(QString::fromStdString(
            pathName.empty() ? loadString(IDS_UNTITLED) + ".tnv" : pathName));
        const QString name = base.completeBaseName() + QStringLiteral(".pdf");
        printing->exportPdf(
            (pathName.empty() ? name : base.absolutePath() + QLatin1Char('/') + name)
                .toStdString());
    });
    connect(appExit, &QAction::triggered, this, &QWidget::close);
    connect(helpFinder, &QAction::triggered, this, &MainFrame::onHelpFinder);

    QAction* properties = addCommand(ID_PROTOCOL_PROPERTIES, IDS_ITEM_PROPERTIES);
    QAction* measurement = addCommand(ID_SETTINGS_MEASUREMENT, IDS_ITEM_MEASUREMENT);
    QAction* inputDevice = addCommand(ID_SETTINGS_INPUT_DEVICE, IDS_ITEM_INPUT_DEVICE);
    QAction* language = addCommand(ID_SETTINGS_LANGUAGE, IDS_ITEM_LANGUAGE);
    connect(properties, &QAction::triggered, this, [this] { onProtocolProperties(); });
    connect(measurement, &QAction::triggered, this, [this] { onSettingsMeasurement(); });
    connect(inputDevice, &QAction::triggered, this, [this] { onSettingsInputDevice(); });
    connect(language, &QAction::triggered, this, [this] { onSettingsLanguage(); });

    QMenu* file = menuBar()->addMenu(text(IDS_MENU_FILE));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addAction(fileNew);
    file->addAction(fileOpen);
    file->addAction(fileSave);
    file->addAction(fileSaveAs);
    file->addSeparator();
    file->addAction(filePrint);
    file->addAction(filePrintPreview);
    file->addAction(filePrintSetup);
    file->addAction(fileExportPdf);
    file->addSeparator();
    recentPlaceholder = new QAction(text(IDS_ITEM_RECENT_FILE), this);
    recentPlaceholder->setEnabled(false);
    file->addAction(recentPlaceholder);
    for (int i = 0; i < RecentFileCount; ++i) {
        QAction* recent = addCommand(ID_FILE_MRU_FILE1 + i, 0);
        setPrompt(recent, ID_FILE_MRU_FILE1);
        connect(recent, &QAction::triggered, this, [this, i] {
            if (i < int(recentFiles.entries().size()))
                openDocumentFile(recentFiles.entries()[i]);
        });
        file->addAction(recent);
    }
    file->addSeparator();
    file->addAction(appExit);

    QAction* tuneScale = addCommand(ID_TUNE_SCALE, IDS_ITEM_SCALE);
    QAction* tuneTemperaments = addCommand(ID_TUNE_TEMPERAMENTS, IDS_ITEM_TEMPERAMENTS);
    connect(tuneScale, &QAction::triggered, this, &MainFrame::onTuneScale);
    connect(tuneTemperaments, &QAction::triggered, this, &MainFrame::onTuneTemperaments);
    // The Tune menu: the scale and temperament commands, then the tool
    // windows.
    QMenu* tune = menuBar()->addMenu(text(IDS_MENU_TUNE));
    tune->setObjectName(QStringLiteral("TuneMenu"));
    tune->addAction(tuneScale);
    tune->addAction(tuneTemperaments);
    tune->addSeparator();
    QAction* centCalculator = addCommand(ID_CENT_CALCULATOR, IDS_ITEM_CENT_CALCULATOR);
    connect(centCalculator, &QAction::triggered, this, [this] { view->showCentCalculator(); });
    QAction* calibrationCalculator =
        addCommand(ID_CALIBRATION_CALCULATOR, IDS_ITEM_CALIBRATION_CALCULATOR);
    connect(calibrationCalculator, &QAction::triggered, this,
            [this] { view->showCalibrationCalculator(); });
    QAction* freqSynth = addCommand(ID_FREQUENCY_SYNTH, IDS_ITEM_FREQUENCY_SYNTH);
    connect(freqSynth, &QAction::triggered, this, [this] { view->showFreqSynthDialog(); });
    QAction* metronome = addCommand(ID_METRONOME, IDS_ITEM_METRONOME);
    connect(metronome, &QAction::triggered, this, [this] { view->showMetronomeDialog(); });
    tune->addAction(centCalculator);
    tune->addAction(calibrationCalculator);
    tune->addAction(freqSynth);
    tune->addAction(metronome);

    QAction* storeAsTemperament =
        addCommand(ID_PROTOCOL_STORE_AS_TEMPERAMENT, IDS_ITEM_STORE_AS_TEMPERAMENT);
    connect(storeAsTemperament, &QAction::triggered, this,
            &MainFrame::onProtocolStoreAsTemperament);

    QAction* clearProtocol = addCommand(ID_PROTOCOL_CLEAR, IDS_ITEM_CLEAR_PROTOCOL);
    connect(clearProtocol, &QAction::triggered, this, [this] {
        if (MeasuringTool* panel = view ? view->getMeasuringTool() : nullptr)
            panel->getProtocolControl().confirmClear();
    });
    QMenu* protocol = menuBar()->addMenu(text(IDS_MENU_PROTOCOL));
    protocol->setObjectName(QStringLiteral("ProtocolMenu"));
    protocol->addAction(properties);
    protocol->addAction(storeAsTemperament);
    protocol->addAction(clearProtocol);

    QMenu* settings = menuBar()->addMenu(text(IDS_MENU_SETTINGS));
    settings->setObjectName(QStringLiteral("SettingsMenu"));
    settings->addAction(measurement);
    settings->addAction(inputDevice);
    settings->addAction(language);

    QMenu* viewMenu = menuBar()->addMenu(text(IDS_MENU_VIEW));
    viewMenu->setObjectName(QStringLiteral("ViewMenu"));
    viewToolBar->setCheckable(true);
    viewToolBar->setChecked(true);
    viewStatusBar->setCheckable(true);
    viewStatusBar->setChecked(true);
    viewMenu->addAction(viewToolBar);
    viewMenu->addAction(viewStatusBar);

    QMenu* help = menuBar()->addMenu(text(IDS_MENU_HELP));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->addAction(helpFinder);
    QAction* donate = addCommand(ID_DONATE, IDS_ITEM_DONATE);
    connect(donate, &QAction::triggered, this, [this] { showDonateDialog(this); });
    QAction* about = addCommand(ID_APP_ABOUT, IDS_ITEM_ABOUT);
    connect(about, &QAction::triggered, this, &MainFrame::onAppAbout);
    help->addSeparator();
    help->addAction(about);
    help->addAction(donate);

    updateRecentFileMenu();
}

void MainFrame::createToolBar() {
    tools = addToolBar(text(IDS_TOOLBAR_TITLE));
    tools->setObjectName(QStringLiteral("ToolBar"));
    tools->setMovable(false);
    tools->setIconSize(QSize(16, 16));
    const struct {
        int command;
        int icon;
    } buttons[] = {
        {ID_FILE_NEW, IconFileNew},
        {ID_FILE_OPEN, IconFileOpen},
        {ID_FILE_SAVE, IconFileSave},
        {ID_FILE_PRINT_PREVIEW, IconPrintPreview},
        {0, 0},
        {ID_TUNE_SCALE, IconScale},
        {ID_PROTOCOL_PROPERTIES, IconProtocolProperties},
        {0, 0},
        {ID_HELP_FINDER, IconHelpTopics},
    };
    for (const auto& button : buttons) {
        if (button.command == 0) {
            tools->addSeparator();
            continue;
        }
        QAction* command = action(button.command);
        if (IconHandle icon = loadIcon(button.icon))
            command->setIcon(toQIcon(icon));
        tools->addAction(command);
    }
    // The toolbar shows icons only; the menus keep their texts without icons.
    for (QAction* command : tools->actions())
        command->setIconVisibleInMenu(false);

    QAction* toggle = action(ID_VIEW_TOOLBAR);
    connect(toggle, &QAction::toggled, tools, &QWidget::setVisible);
    connect(tools, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void MainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    // The message pane says "Ready" while no command's prompt is shown.
    idleLabel = new QLabel(text(IDS_IDLE_MESSAGE), bar);
    idleLabel->setObjectName(QStringLiteral("IdleMessage"));
    bar->addWidget(idleLabel, 1);
    bar->addPermanentWidget(new LostInputIndicator(
        [] { return CaptureDriverManager::getInstance().lostStretches(); }, bar));
    QAction* toggle = action(ID_VIEW_STATUS_BAR);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
    // The sound input can go away at any time (an unplugged interface); the
    // pane says so instead of "Ready" while nothing is measured.
    auto* watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, &MainFrame::updateInputStatus);
    watch->start(500);
}

void MainFrame::updateInputStatus() {
    const InputStatus input = CaptureDriverManager::status();
    QString message = text(IDS_IDLE_MESSAGE);
    if (input.state == InputStatus::NoDevice) {
        std::string reason = SoundDeviceManager::getInstance().getErrorText();
        if (reason.empty())
            reason = loadString(IDS_NO_INPUT_DEVICE);
        message = text(IDS_STATUS_NO_INPUT).arg(QString::fromStdString(reason).trimmed());
    } else if (input.state == InputStatus::Failed) {
        message = text(IDS_STATUS_INPUT_FAILED).arg(QString::fromStdString(input.deviceName));
    }
    if (idleLabel->text() != message)
        idleLabel->setText(message);
}

QString MainFrame::idleMessage() const {
    return idleLabel->text();
}

void MainFrame::updateRecentFileMenu() {
    const std::vector<std::string>& files = recentFiles.entries();
    recentPlaceholder->setVisible(files.empty());
    for (int i = 0; i < RecentFileCount; ++i) {
        QAction* recent = action(ID_FILE_MRU_FILE1 + i);
        if (i < int(files.size())) {
            recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(menuPath(files[i])));
            recent->setVisible(true);
        } else {
            recent->setVisible(false);
        }
    }
}

std::string MainFrame::getTitle() const {
    if (pathName.empty())
        return loadString(IDS_UNTITLED);
    return QFileInfo(QString::fromStdString(pathName)).fileName().toStdString();
}

void MainFrame::updateTitle() {
    // An unsaved change shows as a star after the title, as desktop programs do.
    setWindowTitle(
        QString::fromStdString(getTitle() + (document.IsModified() ? "*" : "") + " - " + AppTitle));
}

void MainFrame::setRecoveryFile(RecoveryFile* file) {
    recovery = file;
    updateTitle();
    writeRecovery();
}

void MainFrame::documentChanged() {
    updateTitle();
    if (!recovery || recoveryPending)
        return;
    // One write for a burst of changes, as soon as the event loop is free.
    recoveryPending = true;
    QTimer::singleShot(0, this, [this] {
        recoveryPending = false;
        writeRecovery();
    });
}

void MainFrame::writeRecovery() {
    if (!recovery || letGo)
        return;
    if (!document.IsModified()) {
        recovery->remove();
        return;
    }
    ArchiveWriter archive;
    document.Serialize(archive);
    recovery->write(archive.bytes(), pathName);
}

bool MainFrame::restoreRecovered(const std::string& file, const std::string& documentPath) {
    std::string message;
    if (!document.OnOpenDocument(file, message)) {
        showFailure(message);
        return false;
    }
    pathName = documentPath;
    document.SetModifiedFlag(true);
    updateTitle();
    document.UpdateAllViews();
    return true;
}

void MainFrame::showFailure(const std::string& message) {
    messageBox(frameHandle, message, AppTitle, MB_OK | MB_ICONWARNING);
}

bool MainFrame::saveModified() {
    if (!document.IsModified())
        return true;
    QString question = text(IDS_SAVE_CHANGES);
    question.replace(QStringLiteral("%1"), QString::fromStdString(getTitle()));
    switch (messageBox(frameHandle, question.toStdString(), AppTitle,
                       MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
        return onFileSave();
    case IDNO:
        // The user let the changes go: nothing to recover any more.
        if (recovery)
            recovery->remove();
        return true;
    default:
        return false;
    }
}

void MainFrame::newDocumentAtStart() {
    document.OnNewDocument();
    pathName.clear();
    updateTitle();
    document.UpdateAllViews();
}

bool MainFrame::onFileNew() {
    if (!saveModified())
        return false;
    newDocumentAtStart();
    return true;
}

bool MainFrame::onFileOpen() {
    if (!saveModified())
        return false;
    const std::string path = askOpenFileName(this);
    if (path.empty())
        return false;
    return loadDocument(absolutePath(path));
}

bool MainFrame::openDocumentFile(const std::string& path) {
    if (!saveModified())
        return false;
    return loadDocument(absolutePath(path));
}

bool MainFrame::loadDocument(const std::string& path) {
    std::string message;
    if (!document.OnOpenDocument(path, message)) {
        showFailure(message);
        // A recent file that cannot be opened any more leaves the list.
        recentFiles.remove(path);
        updateRecentFileMenu();
        return false;
    }
    pathName = path;
    recentFiles.add(path);
    updateRecentFileMenu();
    updateTitle();
    document.UpdateAllViews();
    return true;
}

bool MainFrame::onFileSave() {
    if (pathName.empty())
        return onFileSaveAs();
    return doSave(pathName);
}

bool MainFrame::onFileSaveAs() {
    const std::string suggested = pathName.empty() ? loadString(IDS_UNTITLED) + ".tnv" : pathName;
    const std::string path = askSaveFileName(this, suggested);
    if (path.empty())
        return false;
    return doSave(absolutePath(path));
}

bool MainFrame::doSave(const std::string& path) {
    std::string message;
    if (!document.OnSaveDocument(path, message)) {
        showFailure(message);
        return false;
    }
    document.SetModifiedFlag(false);
    pathName = path;
    recentFiles.add(path);
    updateRecentFileMenu();
    updateTitle();
    return true;
}

void MainFrame::onHelpFinder() {
    launchHelp(frameHandle, helpPath);
}

bool MainFrame::onProtocolProperties() {
    ProtocolTexts texts;
    texts.customer = document.getCustomer();
    texts.instrument = document.getInstrument();
    texts.location = document.getLocation();
    texts.remarks = document.getRemarks();
    texts.author = document.getAuthor();
    PropertiesDialog dialog(texts, this);
    if (!runModal(dialog))
        return false;
    const ProtocolTexts& edited = dialog.getTexts();
    document.setCustomer(edited.customer);
    document.setInstrument(edited.instrument);
    document.setLocation(edited.location);
    document.setRemarks(edited.remarks);
    document.setAuthor(edited.author);
    document.SetModifiedFlag(true);
    document.UpdateAllViews();
    return true;
}

bool MainFrame::onSettingsMeasurement() {
    DataStructure& state = DataStructure::getInstance();
    MeasurementSettings settings;
    state.getMeasurementSettings(settings);
    MeasurementSettingsDialog dialog(settings, this);
    if (!runModal(dialog))
        return false;
    // Even unchanged settings go to the listeners: the analysis takes a fresh
    // copy at each notification.
    state.setMeasurementSettings(dialog.getSettings());
    return true;
}

bool MainFrame::onSettingsInputDevice() {
    SoundDeviceManager& manager = SoundDeviceManager::getInstance();
    if (manager.getDeviceCount() == 0) {
        messageBox(frameHandle, manager.getErrorText(), AppTitle, MB_OK | MB_ICONWARNING);
        return false;
    }
    InputDeviceDialog dialog(manager, getProfileString("settings", "device"), this);
    if (!runModal(dialog))
        return false;
    manager.selectDevice(dialog.getSelectedDevice());
    return true;
}

bool MainFrame::onSettingsLanguage() {
    LanguageDialog dialog(getProfileString("settings", "language", "xx"), this);
    if (!runModal(dialog))
        return false;
    // Read at the next start; this run keeps its language.
    writeProfileString("settings", "language", dialog.getCode());
    return true;
}

void MainFrame::onAppAbout() {
    CAboutDlg about(this);
    about.exec();
}

void MainFrame::onTuneScale() {
    ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    ScaleDialog dialog(scales, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The octave stretch belongs to the temperament and is not applied.
    scales.setScaleAt(dialog.scaleIndex, dialog.keynote, dialog.standardPitch, dialog.calibration);
}

void MainFrame::onTuneTemperaments() {
    runTemperaments(false);
}

void MainFrame::onProtocolStoreAsTemperament() {
    runTemperaments(true);
}

void MainFrame::runTemperaments(bool withProtocol) {
    DataStructure& state = DataStructure::getInstance();
    CustomScaleManager& store = state.getCustomScales();
    TemperamentsDialog dialog(store, this);
    if (withProtocol)
        dialog.setProtocol(&state.getProtocol());
    dialog.exec();
    // Nothing the manager did is discarded, whichever way it closed.
    store.setTemperaments(dialog.getSimpleScales(), dialog.getFullScales());
}

void MainFrame::bringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (saveModified()) {
        letGo = true;
        if (recovery)
            recovery->remove();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainFrame::showEvent(QShowEvent* event) {
    // Shown again after a close: changes are kept for recovery again.
    letGo = false;
    QMainWindow::showEvent(event);
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    activateWindow();
    openDocumentFile(urls.first().toLocalFile().toStdString());
}

} // namespace tonvela
