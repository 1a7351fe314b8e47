#pragma once

#include "app/dialogs/DialogSupport.h"

#include <functional>

class QDialog;

namespace tonvela {

// Runs a modal dialog; true when it was confirmed with OK. Tests put a
// runner in place that works the dialog's controls instead of a modal loop;
// an empty function runs dialogs modally again.
bool runModal(QDialog& dialog);
void setModalRunner(std::function<bool(QDialog& dialog)> runner);

} // namespace tonvela
