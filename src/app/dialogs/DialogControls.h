#pragma once

#include "app/dialogs/DialogSupport.h"

#include <QString>

class QAbstractButton;
class QDialog;
class QPushButton;
class QLineEdit;
class QWidget;

namespace tonvela {

// A single-line edit for a number, with its control id and spoken name.
QLineEdit* numberEdit(QWidget* parent, int controlId, const QString& accessibleName);
// Lays a tool window out: its group above, a "Close" button that only
// hides the window below on the right. Returns the button.
QPushButton* layToolWindow(QDialog* window, QWidget* group);
// Shows a modeless tool window again: restored when minimised, in front.
void showToolWindow(QWidget* window);

} // namespace tonvela
