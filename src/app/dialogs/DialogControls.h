#pragma once

#include "app/dialogs/DialogSupport.h"

#include <QString>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace tonvela {

// A single-line edit for a number, with its control id and spoken name.
QLineEdit* numberEdit(QWidget* parent, int controlId, const QString& accessibleName);
// Shows a modeless tool window again: restored when minimised, in front.
void showToolWindow(QWidget* window);

} // namespace tonvela
