#include "app/dialogs/SettingsDialogSupport.h"

#include <QDialog>

namespace tonvela {

namespace {

std::function<bool(QDialog&)>& modalRunner() {
    static std::function<bool(QDialog&)> runner;
    return runner;
}

} // namespace

bool runModal(QDialog& dialog) {
    if (modalRunner())
        return modalRunner()(dialog);
    return dialog.exec() == QDialog::Accepted;
}

void setModalRunner(std::function<bool(QDialog& dialog)> runner) {
    modalRunner() = std::move(runner);
}

} // namespace tonvela
