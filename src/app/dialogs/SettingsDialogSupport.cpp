#include "app/dialogs/SettingsDialogSupport.h"

#include "app/dialogs/SettingsDialogIds.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tonvela {

namespace {

std::function<bool(QDialog&)>& modalRunner() {
    static std::function<bool(QDialog&)> runner;
    return runner;
}

} // namespace

QString dialogText(int textId) {
    return QString::fromStdString(loadString(textId));
}

void setControl(QWidget* control, int controlId, const QString& label) {
    control->setObjectName(QString::number(controlId));
    QString name = label;
    name.remove(QLatin1Char('&'));
    control->setAccessibleName(name);
}

QDialogButtonBox* createOkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(dialogText(IDS_DLG_OK), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(dialogText(IDS_DLG_CANCEL), QDialogButtonBox::RejectRole);
    setControl(ok, IDC_OK, ok->text());
    setControl(cancel, IDC_CANCEL, cancel->text());
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

bool runModal(QDialog& dialog) {
    if (modalRunner())
        return modalRunner()(dialog);
    return dialog.exec() == QDialog::Accepted;
}

void setModalRunner(std::function<bool(QDialog& dialog)> runner) {
    modalRunner() = std::move(runner);
}

} // namespace tonvela
