#pragma once

#include <QString>

#include <functional>
#include <string>

class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace tonvela {

// The string resource as a QString.
QString dialogText(int id);

// A control keeps its control id as object name and its label as accessible
// name, so tests find it by id and a screen reader names it.
void identify(QWidget* control, int controlId, const QString& name);
// A label that the keyboard focus follows to its control.
QLabel* labelFor(QWidget* control, const QString& text, QWidget* parent);
// A line edit with its id; accessible name from the label text without ":".
QLineEdit* numberEdit(int controlId, const QString& label, QWidget* parent);

// The temperament editors' "Identification" group: the name (1060) and
// the read-only id (1062), each with its label.
QGroupBox* identificationGroup(QWidget* parent, QLineEdit*& nameEdit, QLineEdit*& keyEdit);

// The buttons "OK" (id 1) and "Cancel" (id 2) in the interface language,
// wired to accept and reject.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

// Whether another temperament already has a name (found whole, without
// regard to case).
using NameInUse = std::function<bool(const QString& name)>;
// Reads a temperament's name from its edit: trimmed, present, not in use,
// without ";", not too long. On failure the message box, the focus back on
// the edit, false.
bool readTemperamentName(QWidget* dialog, QLineEdit* edit, const NameInUse& inUse,
                         std::string& name);

// An accessible name from a label: mnemonics and the closing colon removed.
QString plainName(const QString& label);

} // namespace tonvela
