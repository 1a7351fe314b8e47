#include "app/dialogs/CAboutDlg.h"

#include "app/DonationReminder.h"
#include "app/dialogs/DialogControls.h"
#include "platform/gui/Icon.h"
#include "platform/gui/QtBridge.h"
#include "resources/IconIds.h"
#include "resources/Maker.h"
#include "resources/StringIds.h"

#include <QCloseEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tonvela {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(dialogText(IDS_ABOUT_TITLE));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    if (IconHandle program = loadIcon(IconProgram))
        icon->setPixmap(toQIcon(program).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* name = new QLabel(QStringLiteral("Tonvela"), this);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    auto* notice = new QLabel(dialogText(IDS_MAKER_NOTICE), this);

    auto* facts = new QGridLayout;
    facts->addWidget(new QLabel(dialogText(IDS_VERSION_CAPTION), this), 0, 0);
    auto* version = new QLabel(QStringLiteral(TONVELA_VERSION), this);
    identify(version, IDC_VERSION, dialogText(IDS_VERSION_CAPTION));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    facts->addWidget(version, 0, 1);
    facts->addWidget(new QLabel(dialogText(IDS_DONATE_CAPTION), this), 1, 0);
    auto* address = new QLabel(QString::fromLatin1(MakerWebAddress), this);
    address->setObjectName(QStringLiteral("MakerAddress"));
    address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    facts->addWidget(address, 1, 1);
    facts->setColumnStretch(1, 1);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(notice);
    texts->addSpacing(8);
    texts->addLayout(facts);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* donate = new QPushButton(dialogText(IDS_DONATE_TITLE), this);
    identify(donate, IDC_DONATE, donate->text());
    donate->setAutoDefault(false);
    connect(donate, &QPushButton::clicked, this, &CAboutDlg::reject);
    auto* close = new QPushButton(dialogText(IDS_CLOSE), this);
    identify(close, IDC_CLOSE, close->text());
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(donate);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// Donate and Escape: the donation page, and the box stays.
void CAboutDlg::reject() {
    openDonationPage();
}

} // namespace tonvela

namespace tonvela {

void CAboutDlg::closeEvent(QCloseEvent* event) {
    done(Accepted);
    event->accept();
}

} // namespace tonvela
