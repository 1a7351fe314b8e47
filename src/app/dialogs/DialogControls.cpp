#include "app/dialogs/DialogControls.h"

#include "resources/StringResources.h"

#include <QLineEdit>
#include <QWidget>

namespace tonvela {

QString resourceText(int id) {
    return QString::fromStdString(loadString(id));
}

void identify(QWidget* control, int controlId, const QString& accessibleName) {
    control->setObjectName(QString::number(controlId));
    QString spoken = accessibleName;
    spoken.remove(QLatin1Char('&'));
    control->setAccessibleName(spoken);
}

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
