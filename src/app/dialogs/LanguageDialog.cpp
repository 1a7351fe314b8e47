#include "app/dialogs/LanguageDialog.h"

#include "app/dialogs/SettingsDialogIds.h"
#include "app/dialogs/SettingsDialogSupport.h"
#include "platform/gui/Icon.h"
#include "platform/gui/QtBridge.h"
#include "resources/IconIds.h"
#include "resources/StringIds.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tonvela {

namespace {

QRadioButton* addLanguage(QGridLayout* grid, QButtonGroup* group, int row, int textId,
                          int controlId, int iconId) {
    auto* flag = new QLabel;
    flag->setObjectName(QStringLiteral("Flag%1").arg(controlId));
    if (IconHandle icon = loadIcon(iconId))
        flag->setPixmap(toQIcon(icon).pixmap(QSize(24, 16)));
    auto* button = new QRadioButton(dialogText(textId));
    identify(button, controlId, button->text());
    group->addButton(button);
    grid->addWidget(flag, row, 0);
    grid->addWidget(button, row, 1);
    return button;
}

} // namespace

LanguageDialog::LanguageDialog(const std::string& code, QWidget* parent)
    : QDialog(parent), code(code) {
    setObjectName(QStringLiteral("LanguageDialog"));
    setWindowTitle(dialogText(IDS_LANGUAGE_TITLE));

    auto* box = new QGroupBox(dialogText(IDS_LANGUAGE_GROUP));
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(this);
    english = addLanguage(grid, group, 0, IDS_ENGLISH, IDC_LANGUAGE_ENGLISH, IconFlagEnglish);
    german = addLanguage(grid, group, 1, IDS_GERMAN, IDC_LANGUAGE_GERMAN, IconFlagGerman);
    grid->setColumnStretch(1, 1);
    (code == "de" ? german : english)->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LanguageDialog::accept() {
    code = german->isChecked() ? "de" : "en";
    QDialog::accept();
}

} // namespace tonvela
