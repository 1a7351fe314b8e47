#include "app/dialogs/DialogSupport.h"

#include "app/dialogs/DialogDataExchange.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "runtime/NumberText.h"
#include "tuning/ScaleLimits.h"
#include "tuning/TemperamentName.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tonvela {

QString dialogText(int id) {
    return QString::fromStdString(loadString(id));
}

QString plainName(const QString& label) {
    QString name = label;
    name.remove(QLatin1Char('&'));
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

void identify(QWidget* control, int controlId, const QString& name) {
    control->setObjectName(QString::number(controlId));
    control->setAccessibleName(plainName(name));
}

QLabel* labelFor(QWidget* control, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    return label;
}

QLineEdit* numberEdit(int controlId, const QString& label, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    identify(edit, controlId, label);
    return edit;
}

QGroupBox* identificationGroup(QWidget* parent, QLineEdit*& nameEdit, QLineEdit*& keyEdit) {
    auto* group = new QGroupBox(dialogText(IDS_IDENTIFICATION), parent);
    nameEdit = new QLineEdit(group);
    identify(nameEdit, 1060, dialogText(IDS_TEMPERAMENT_NAME));
    keyEdit = new QLineEdit(group);
    identify(keyEdit, 1062, dialogText(IDS_TEMPERAMENT_ID));
    keyEdit->setReadOnly(true);
    auto* form = new QFormLayout(group);
    form->addRow(labelFor(nameEdit, dialogText(IDS_TEMPERAMENT_NAME), group), nameEdit);
    form->addRow(labelFor(keyEdit, dialogText(IDS_TEMPERAMENT_ID), group), keyEdit);
    return group;
}

QDialogButtonBox* okCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    ok->setText(dialogText(IDS_DLG_OK));
    cancel->setText(dialogText(IDS_DLG_CANCEL));
    identify(ok, 1, ok->text());
    identify(cancel, 2, cancel->text());
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

bool readTemperamentName(QWidget* dialog, QLineEdit* edit, const NameInUse& inUse,
                         std::string& name) {
    const std::string trimmed = trimTemperamentName(edit->text().toStdString());
    const bool used = !trimmed.empty() && inUse && inUse(QString::fromStdString(trimmed));
    QString message;
    switch (checkTemperamentName(trimmed, used)) {
    case NameCheck::Ok:
        name = trimmed;
        return true;
    case NameCheck::Missing:
        message = dialogText(IDS_NAME_MISSING);
        break;
    case NameCheck::Used:
        message = dialogText(IDS_NAME_USED);
        break;
    case NameCheck::Semicolon:
        message = dialogText(IDS_NAME_SEMICOLON);
        break;
    case NameCheck::TooLong:
        message = dialogText(IDS_NAME_TOO_LONG)
                      .replace(QStringLiteral("%1"),
                               QString::fromStdString(NumberText::integer(MAX_TEMPERAMENT_NAME)));
        break;
    }
    DialogDataExchange::showMessage(dialog, message);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    return false;
}

} // namespace tonvela
