#include "app/dialogs/DialogControls.h"

#include "resources/StringIds.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
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

QPushButton* layToolWindow(QDialog* window, QWidget* group) {
    auto* close = new QPushButton(dialogText(IDS_CLOSE), window);
    // Id 1, the id of a dialog's OK button, as every tool window's IDC_CLOSE.
    identify(close, 1, close->text());
    QObject::connect(close, &QPushButton::clicked, window, &QDialog::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return close;
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
