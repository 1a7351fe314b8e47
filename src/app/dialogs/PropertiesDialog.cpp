#include "app/dialogs/PropertiesDialog.h"

#include "app/dialogs/SettingsDialogIds.h"
#include "app/dialogs/SettingsDialogSupport.h"
#include "resources/StringIds.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tonvela {

namespace {

// Texts from files written elsewhere may end their lines in "\r\n".
QString shown(const std::string& text) {
    QString lines = QString::fromStdString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return lines;
}

QPlainTextEdit* addField(QFormLayout* form, int textId, int controlId, const std::string& text,
                         int lines) {
    auto* label = new QLabel(dialogText(textId));
    auto* edit = new QPlainTextEdit(shown(text));
    identify(edit, controlId, label->text());
    edit->setTabChangesFocus(true);
    // Lines wrap at the field's width, so there is nothing to scroll sideways.
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(edit->font());
    const int frame = 2 * edit->frameWidth() + int(2 * edit->document()->documentMargin());
    edit->setFixedHeight(lines * metrics.lineSpacing() + frame);
    edit->setMinimumWidth(metrics.averageCharWidth() * 48);
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
}

} // namespace

PropertiesDialog::PropertiesDialog(const ProtocolTexts& texts, QWidget* parent)
    : QDialog(parent), texts(texts) {
    setObjectName(QStringLiteral("PropertiesDialog"));
    setWindowTitle(dialogText(IDS_PROPERTIES_TITLE));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignTop);
    customer = addField(form, IDS_PROP_CUSTOMER, IDC_CUSTOMER, texts.customer, 2);
    instrument = addField(form, IDS_PROP_INSTRUMENT, IDC_INSTRUMENT, texts.instrument, 2);
    location = addField(form, IDS_PROP_LOCATION, IDC_LOCATION, texts.location, 2);
    remarks = addField(form, IDS_PROP_REMARKS, IDC_REMARKS, texts.remarks, 6);
    author = addField(form, IDS_PROP_AUTHOR, IDC_AUTHOR, texts.author, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancelButtons(this));
}

void PropertiesDialog::accept() {
    texts.customer = customer->toPlainText().toStdString();
    texts.instrument = instrument->toPlainText().toStdString();
    texts.location = location->toPlainText().toStdString();
    texts.remarks = remarks->toPlainText().toStdString();
    texts.author = author->toPlainText().toStdString();
    QDialog::accept();
}

} // namespace tonvela
