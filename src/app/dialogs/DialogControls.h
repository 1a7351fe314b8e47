#pragma once

#include <QString>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace tonvela {

// A string resource in the user-interface language.
QString resourceText(int id);
// Gives a dialog's control its control id as object name, so tests find it,
// and the text a screen reader says for it.
void identify(QWidget* control, int controlId, const QString& accessibleName);
// A single-line edit for a number, with its control id and spoken name.
QLineEdit* numberEdit(QWidget* parent, int controlId, const QString& accessibleName);
// Shows a modeless tool window again: restored when minimised, in front.
void showToolWindow(QWidget* window);

} // namespace tonvela
