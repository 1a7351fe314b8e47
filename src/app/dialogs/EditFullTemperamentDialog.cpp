#include "app/dialogs/EditFullTemperamentDialog.h"

#include "app/dialogs/DialogDataExchange.h"
#include "resources/StringIds.h"
#include "runtime/NumberText.h"
#include "tuning/ScaleLimits.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tonvela {

namespace {

// The note names of the columns, C to B.
constexpr int columnNames[12] = {IDS_NOTE_C,       IDS_NOTE_C_SHARP, IDS_NOTE_D,
                                 IDS_NOTE_E_FLAT,  IDS_NOTE_E,       IDS_NOTE_F,
                                 IDS_NOTE_F_SHARP, IDS_NOTE_G,       IDS_NOTE_G_SHARP,
                                 IDS_NOTE_A,       IDS_NOTE_B_FLAT,  IDS_NOTE_B};

} // namespace

EditFullTemperamentDialog::EditFullTemperamentDialog(const FullToneScale& scale, int editedIndex,
                                                     NameInUse nameInUse, QWidget* parent)
    : QDialog(parent), scale(scale), editedIndex(editedIndex), nameInUse(std::move(nameInUse)) {
    setObjectName(QStringLiteral("EditFullTemperamentDialog"));
    setWindowTitle(dialogText(IDS_EDIT_FULL_TITLE));

    QGroupBox* identification = identificationGroup(this, nameEdit, keyEdit);

    auto* values = new QGroupBox(dialogText(IDS_CENTS_FROM_EQUAL), this);
    auto* grid = new QGridLayout(values);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("-150.00")) + 12;
    constexpr int octaves = FullToneScale::NOTE_COUNT / 12;
    for (int column = 0; column < 12; ++column) {
        const QString name = dialogText(columnNames[column]);
        grid->addWidget(new QLabel(name, values), 0, column + 1, Qt::AlignHCenter);
        grid->addWidget(new QLabel(name, values), octaves + 1, column + 1, Qt::AlignHCenter);
    }
    for (int octave = 0; octave < octaves; ++octave) {
        const QString number = QString::number(octave);
        grid->addWidget(new QLabel(number, values), octave + 1, 0, Qt::AlignRight);
        grid->addWidget(new QLabel(number, values), octave + 1, 13, Qt::AlignLeft);
        for (int column = 0; column < 12; ++column) {
            const int note = octave * 12 + column;
            const QString noteName = dialogText(columnNames[column]) + number;
            auto* edit = numberEdit(FIRST_VALUE_ID + note, noteName, values);
            edit->setFixedWidth(width);
            grid->addWidget(edit, octave + 1, column + 1);
            valueEdits[note] = edit;
        }
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(identification);
    layout->addWidget(values);
    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    nameEdit->setText(QString::fromStdString(scale.getName()));
    keyEdit->setText(QString::fromStdString(scale.getKey()));
    for (int n = 0; n < FullToneScale::NOTE_COUNT; ++n)
        valueEdits[n]->setText(QString::fromStdString(NumberText::fixed(scale.getCents(n), 2)));
    nameEdit->setFocus();
}

void EditFullTemperamentDialog::accept() {
    std::string name;
    if (!readTemperamentName(this, nameEdit, nameInUse, name))
        return;
    FullToneScale edited = scale;
    edited.setNames(name);
    DialogDataExchange exchange(this);
    for (int n = 0; n < FullToneScale::NOTE_COUNT; ++n) {
        float value = 0.0f;
        if (!exchange.readFloat(valueEdits[n], value, -MAX_FULL_CENTS, MAX_FULL_CENTS))
            return;
        edited.setCents(n, value);
    }
    scale = edited;
    QDialog::accept();
}

} // namespace tonvela
