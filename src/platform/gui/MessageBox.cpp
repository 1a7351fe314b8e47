#include "platform/gui/MessageBox.h"
#include "platform/gui/WindowTesting.h"

#include "platform/gui/QtBridge.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace tonvela {

namespace {

MessageBoxAnswer& answerHook() {
    static MessageBoxAnswer hook;
    return hook;
}

} // namespace

void setMessageBoxAnswer(MessageBoxAnswer answer) {
    answerHook() = std::move(answer);
}

int messageBox(WindowHandle* owner, const std::string& text, const std::string& caption,
               unsigned type) {
    if (answerHook()) {
        return answerHook()(text, caption, type);
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return IDCANCEL;
    }
    QWidget* parent = widgetOf(owner);
    QMessageBox box(parent ? parent->window() : nullptr);
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (type & 0xF0) {
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONWARNING:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (type & 0xF) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    box.setEscapeButton((type & 0xF) == MB_YESNO ? QMessageBox::No : QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return (type & 0xF) == MB_OK ? IDOK : IDCANCEL;
    }
}

} // namespace tonvela
