#include "app/dialogs/DialogDataExchange.h"

#include "tools/DataExchange.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QString>

#include <utility>

namespace tonvela {

namespace {

std::function<void(QWidget*, const QString&)>& messageHook() {
    static std::function<void(QWidget*, const QString&)> hook;
    return hook;
}

} // namespace

DialogDataExchange::DialogDataExchange(QWidget* dialog) : dialog(dialog) {}

void DialogDataExchange::setMessageHook(
    std::function<void(QWidget* parent, const QString& text)> hook) {
    messageHook() = std::move(hook);
}

void DialogDataExchange::showMessage(QWidget* parent, const QString& text) {
    if (messageHook()) {
        messageHook()(parent, text);
        return;
    }
    QMessageBox::warning(parent, QStringLiteral("Tonvela"), text);
}

bool DialogDataExchange::fail(QLineEdit* edit, const std::string& message) {
    showMessage(dialog, QString::fromStdString(message));
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    return false;
}

bool DialogDataExchange::readFloat(QLineEdit* edit, float& value) {
    const FloatExchange result = exchangeFloat(edit->text().toStdString());
    if (result.status != ExchangeStatus::Ok)
        return fail(edit, exchangeMessage(result.status));
    value = result.value;
    return true;
}

bool DialogDataExchange::readFloat(QLineEdit* edit, float& value, float min, float max) {
    const FloatExchange result = exchangeFloat(edit->text().toStdString(), min, max);
    if (result.status != ExchangeStatus::Ok)
        return fail(edit, exchangeMessage(result, min, max));
    value = result.value;
    return true;
}

bool DialogDataExchange::readDouble(QLineEdit* edit, double& value) {
    const DoubleExchange result = exchangeDouble(edit->text().toStdString());
    if (result.status != ExchangeStatus::Ok)
        return fail(edit, exchangeMessage(result.status));
    value = result.value;
    return true;
}

bool DialogDataExchange::readDouble(QLineEdit* edit, double& value, double min, double max) {
    const DoubleExchange result = exchangeDouble(edit->text().toStdString(), min, max);
    if (result.status != ExchangeStatus::Ok)
        return fail(edit, exchangeMessage(result, min, max));
    value = result.value;
    return true;
}

bool DialogDataExchange::readInt(QLineEdit* edit, int& value, int min, int max) {
    const IntExchange result = exchangeInt(edit->text().toStdString(), min, max);
    if (result.status != ExchangeStatus::Ok)
        return fail(edit, exchangeMessage(result, min, max));
    value = result.value;
    return true;
}

} // namespace tonvela
