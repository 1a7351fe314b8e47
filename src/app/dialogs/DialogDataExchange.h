#pragma once

#include <functional>
#include <string>

class QLineEdit;
class QString;
class QWidget;

namespace tonvela {

// Reads a line edit through the number exchange (tools/DataExchange.h); on
// failure shows the message box (parent = the dialog), puts the focus on the
// edit with its text selected, and returns false so the dialog stays open.
// The value is left alone when the read fails.
class DialogDataExchange {
public:
    explicit DialogDataExchange(QWidget* dialog);
    bool readFloat(QLineEdit* edit, float& value);
    bool readFloat(QLineEdit* edit, float& value, float min, float max);
    bool readDouble(QLineEdit* edit, double& value);
    bool readDouble(QLineEdit* edit, double& value, double min, double max);
    bool readInt(QLineEdit* edit, int& value, int min, int max);

    // Message boxes go through one hook so tests can see the text without a
    // modal loop: when set, it is called instead of the message box.
    static void setMessageHook(std::function<void(QWidget* parent, const QString& text)> hook);
    // Shows a message as the failed exchange does (the hook when set).
    static void showMessage(QWidget* parent, const QString& text);

private:
    bool fail(QLineEdit* edit, const std::string& message);

    QWidget* dialog;
};

} // namespace tonvela
