#pragma once

#include "app/dialogs/DialogSupport.h"
#include "tuning/FullToneScale.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace tonvela {

// Edits one full temperament: its name and the cents against equal
// temperament of all 108 notes C0..B8, one edit per note in a grid of
// octaves (rows) and pitch classes (columns).
class EditFullTemperamentDialog : public QDialog {
    Q_OBJECT
public:
    // The edit of note n has the id FIRST_VALUE_ID + n.
    static constexpr int FIRST_VALUE_ID = 1063;

    EditFullTemperamentDialog(const FullToneScale& scale, int editedIndex, NameInUse nameInUse,
                              QWidget* parent);

    FullToneScale scale;
    int editedIndex; // list position of the temperament, -1 for a new one

    // Reads and checks name and values; stays open on the first failure.
    void accept() override;

private:
    NameInUse nameInUse;
    QLineEdit* nameEdit = nullptr;
    QLineEdit* keyEdit = nullptr;
    std::array<QLineEdit*, FullToneScale::NOTE_COUNT> valueEdits{};
};

} // namespace tonvela
