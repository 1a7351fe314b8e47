#pragma once

#include <QString>

#include <functional>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace tonvela {

// A string resource in the user-interface language.
QString dialogText(int textId);
// Gives a control its control id as object name and its label, without the
// mnemonic's "&", as accessible name.
void setControl(QWidget* control, int controlId, const QString& label);
// The "OK" and "Cancel" buttons of a dialog (ids 1 and 2), tied to
// accept() and reject().
QDialogButtonBox* createOkCancel(QDialog* dialog);

// Runs a modal dialog; true when it was confirmed with OK. Tests put a
// runner in place that works the dialog's controls instead of a modal loop;
// an empty function runs dialogs modally again.
bool runModal(QDialog& dialog);
void setModalRunner(std::function<bool(QDialog& dialog)> runner);

} // namespace tonvela
