#include "app/dialogs/DialogControls.h"

#include <QLineEdit>
#include <QWidget>

namespace tonvela {

QLineEdit* numberEdit(QWidget* parent, int controlId, const QString& accessibleName) {
    auto* edit = new QLineEdit(parent);
    identify(edit, controlId, accessibleName);
    edit->setMaxLength(32);
    // Wide enough for "19999.000000" in either language's font.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12);
    return edit;
}

void showToolWindow(QWidget* window) {
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

} // namespace tonvela
