#include "app/dialogs/DonateDialog.h"

#include "app/dialogs/DialogControls.h"
#include "resources/Maker.h"
#include "resources/StringIds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tonvela {

DonateDialog::DonateDialog(int hours, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DonateDialog"));
    setWindowTitle(dialogText(IDS_DONATE_TITLE));

    const QString address = QString::fromLatin1(MakerWebAddress);
    const QString message = dialogText(IDS_DONATE_TEXT).arg(hours).arg(address);
    // On screen the address never breaks at a slash (word joiners after
    // them); a screen reader gets the plain text.
    QString unbroken = address;
    unbroken.replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
    auto* text = new QLabel(dialogText(IDS_DONATE_TEXT).arg(hours).arg(unbroken), this);
    identify(text, IDC_TEXT, message);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 60);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const struct {
        int id;
        int text;
    } choices[] = {
        {IDC_DONATE, IDS_DONATE_TITLE},
        {IDC_LATER, IDS_LATER},
        {IDC_DONT_DONATE, IDS_DONT_DONATE},
    };
    for (const auto& choice : choices) {
        auto* button = new QPushButton(dialogText(choice.text), this);
        identify(button, choice.id, button->text());
        button->setDefault(choice.id == IDC_DONATE);
        button->setAutoDefault(choice.id == IDC_DONATE);
        const int id = choice.id;
        connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace tonvela
