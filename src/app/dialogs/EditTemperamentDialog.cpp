#include "app/dialogs/EditTemperamentDialog.h"

#include "app/dialogs/DialogDataExchange.h"
#include "resources/StringIds.h"
#include "runtime/NumberText.h"
#include "tuning/ScaleLimits.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tonvela {

namespace {

// Pitch classes C..B: their edit ids, note names and place on a keyboard
// octave (the naturals below, the others above between them).
struct NoteEdit {
    int controlId;
    int nameId;
    bool upper;
    int column; // in half keys
};
constexpr NoteEdit noteEdits[12] = {
    {1061, IDS_NOTE_C, false, 0},      {1063, IDS_NOTE_C_SHARP, true, 1},
    {1064, IDS_NOTE_D, false, 2},      {1065, IDS_NOTE_E_FLAT, true, 3},
    {1066, IDS_NOTE_E, false, 4},      {1067, IDS_NOTE_F, false, 6},
    {1068, IDS_NOTE_F_SHARP, true, 7}, {1069, IDS_NOTE_G, false, 8},
    {1070, IDS_NOTE_G_SHARP, true, 9}, {1071, IDS_NOTE_A, false, 10},
    {1072, IDS_NOTE_B_FLAT, true, 11}, {1073, IDS_NOTE_B, false, 12},
};

} // namespace

EditTemperamentDialog::EditTemperamentDialog(const DefaultToneScale& scale, int editedIndex,
                                             NameInUse nameInUse, QWidget* parent)
    : QDialog(parent), scale(scale), editedIndex(editedIndex), nameInUse(std::move(nameInUse)) {
    setObjectName(QStringLiteral("EditTemperamentDialog"));
    setWindowTitle(dialogText(IDS_EDIT_SIMPLE_TITLE));

    QGroupBox* identification = identificationGroup(this, nameEdit, keyEdit);

    auto* values = new QGroupBox(dialogText(IDS_CENTS_FROM_EQUAL), this);
    auto* keyboard = new QGridLayout(values);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("-100.000")) + 16;
    for (int i = 0; i < 12; ++i) {
        const NoteEdit& note = noteEdits[i];
        const QString name = dialogText(note.nameId);
        auto* edit = numberEdit(note.controlId, name, values);
        edit->setFixedWidth(width);
        auto* label = labelFor(edit, name, values);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        const int row = note.upper ? 0 : 2;
        keyboard->addWidget(label, row, note.column, 1, 2, Qt::AlignHCenter);
        keyboard->addWidget(edit, row + 1, note.column, 1, 2, Qt::AlignHCenter);
        valueEdits[i] = edit;
    }

    auto* stretching = new QGroupBox(dialogText(IDS_OCTAVE_STRETCHING), this);
    stretchEdit = numberEdit(1074, dialogText(IDS_SCALE_STRETCH), stretching);
    stretchEdit->setFixedWidth(width);
    auto* stretchRow = new QHBoxLayout(stretching);
    stretchRow->addWidget(labelFor(stretchEdit, dialogText(IDS_SCALE_STRETCH), stretching));
    stretchRow->addWidget(stretchEdit);
    stretchRow->addWidget(new QLabel(dialogText(IDS_DLG_CENT), stretching));
    stretchRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(identification);
    layout->addWidget(values);
    layout->addWidget(stretching);
    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    nameEdit->setText(QString::fromStdString(scale.getName()));
    keyEdit->setText(QString::fromStdString(scale.getKey()));
    for (int i = 0; i < 12; ++i)
        valueEdits[i]->setText(QString::fromStdString(NumberText::general(scale.getCents(i))));
    stretchEdit->setText(QString::fromStdString(NumberText::general(scale.getOctaveStretch())));
    nameEdit->setFocus();
}

void EditTemperamentDialog::accept() {
    std::string name;
    if (!readTemperamentName(this, nameEdit, nameInUse, name))
        return;
    DefaultToneScale edited = scale;
    edited.setNames(name);
    DialogDataExchange exchange(this);
    for (int i = 0; i < 12; ++i) {
        float value = 0.0f;
        if (!exchange.readFloat(valueEdits[i], value, -MAX_SIMPLE_CENTS, MAX_SIMPLE_CENTS))
            return;
        edited.setCents(i, value);
    }
    float stretch = 0.0f;
    if (!exchange.readFloat(stretchEdit, stretch, -MAX_SIMPLE_CENTS, MAX_SIMPLE_CENTS))
        return;
    edited.setOctaveStretch(stretch);
    scale = edited;
    QDialog::accept();
}

} // namespace tonvela
