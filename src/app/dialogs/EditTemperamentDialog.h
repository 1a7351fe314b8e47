#pragma once

#include "app/dialogs/DialogSupport.h"
#include "tuning/DefaultToneScale.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace tonvela {

// Edits one simple temperament: its name, its twelve cent values against
// equal temperament and its octave stretch. The caller hands in the
// temperament (a fresh one for New) and how to tell a name already in use.
class EditTemperamentDialog : public QDialog {
    Q_OBJECT
public:
    EditTemperamentDialog(const DefaultToneScale& scale, int editedIndex, NameInUse nameInUse,
                          QWidget* parent);

    DefaultToneScale scale;
    int editedIndex; // list position of the temperament, -1 for a new one

    // Reads and checks name and values; stays open on the first failure.
    void accept() override;

private:
    NameInUse nameInUse;
    QLineEdit* nameEdit = nullptr;
    QLineEdit* keyEdit = nullptr;
    std::array<QLineEdit*, 12> valueEdits{};
    QLineEdit* stretchEdit = nullptr;
};

} // namespace tonvela
