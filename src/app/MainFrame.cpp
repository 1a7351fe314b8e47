#include "app/MainFrame.h"

#include "resources/CommandIds.h"
#include "app/FileDialogs.h"
#include "app/HelpLauncher.h"
#include "app/LostInputIndicator.h"
#include "app/RecentFileList.h"
#include "app/TonvelaView.h"
#include "audio/CaptureDriverManager.h"
#include "panel/MeasuringTool.h"
#include "platform/gui/Icon.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/QtBridge.h"
#include "resources/IconIds.h"
#include "resources/StringResources.h"
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
#include <QStatusBar>
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
                     AnalysisClock* clock)
    : document(document), recentFiles(recentFiles), helpPath(helpPath) {
    setObjectName(QStringLiteral("MainFrame"));
    frameHandle = adoptWidget(this);
    if (IconHandle icon = loadIcon(IconProgram))
        setWindowIcon(toQIcon(icon));

    createMenus();
    createToolBar();
    createStatusBar();

    view = new TonvelaView(document, this, clock);
    setCentralWidget(view);

    setAcceptDrops(true);
    QSize size(1024, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);
    updateTitle();
}

MainFrame::~MainFrame() = default;

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
    connect(appExit, &QAction::triggered, this, &QWidget::close);
    connect(helpFinder, &QAction::triggered, this, &MainFrame::onHelpFinder);

    QMenu* file = menuBar()->addMenu(text(IDS_MENU_FILE));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addAction(fileNew);
    file->addAction(fileOpen);
    file->addAction(fileSave);
    file->addAction(fileSaveAs);
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

    QAction* clearProtocol = addCommand(ID_PROTOCOL_CLEAR, IDS_ITEM_CLEAR_PROTOCOL);
    connect(clearProtocol, &QAction::triggered, this, [this] {
        if (MeasuringTool* panel = view ? view->getMeasuringTool() : nullptr)
            panel->getProtocolControl().confirmClear();
    });
    QMenu* protocol = menuBar()->addMenu(text(IDS_MENU_PROTOCOL));
    protocol->setObjectName(QStringLiteral("ProtocolMenu"));
    protocol->addAction(clearProtocol);

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
        {ID_FILE_NEW, IconFileNew},       {ID_FILE_OPEN, IconFileOpen},
        {ID_FILE_SAVE, IconFileSave},     {0, 0},
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
    setWindowTitle(QString::fromStdString(getTitle() + " - " + AppTitle));
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

void MainFrame::bringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (saveModified())
        event->accept();
    else
        event->ignore();
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
