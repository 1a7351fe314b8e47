#include "app/HelpLauncher.h"

#include "platform/gui/MessageBox.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tonvela {

namespace {

HelpOpener& openerHook() {
    static HelpOpener hook;
    return hook;
}

} // namespace

std::string helpFilePath(const std::string& programDir, bool german) {
    const QString name =
        german ? QStringLiteral("Tonvela_de.html") : QStringLiteral("Tonvela.html");
    const QDir dir(QString::fromStdString(programDir));
    const QString candidates[] = {
        dir.filePath(QStringLiteral("help/") + name),
        dir.filePath(QStringLiteral("../share/tonvela/help/") + name),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate).toStdString();
    }
    return QDir::cleanPath(candidates[0]).toStdString();
}

bool launchHelp(WindowHandle* owner, const std::string& path) {
    bool opened = false;
    if (QFileInfo(QString::fromStdString(path)).isFile()) {
        opened = openerHook()
                     ? openerHook()(path)
                     : QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
    if (!opened) {
        // Where the page is, so the user can open it by hand.
        std::string where = loadString(IDS_HELP_PAGE_AT);
        where.replace(where.find("%1"), 2, path);
        messageBox(owner, loadString(IDS_HELP_FAILED) + "\n" + where, "Tonvela",
                   MB_OK | MB_ICONWARNING);
    }
    return opened;
}

void setHelpOpener(HelpOpener opener) {
    openerHook() = std::move(opener);
}

} // namespace tonvela
