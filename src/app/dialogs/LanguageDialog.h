#pragma once

#include <QDialog>

#include <string>

class QRadioButton;

namespace tonvela {

// The user-interface language for the next start: "en" or "de".
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    // code: the stored "language"; "de" checks German, any other English.
    explicit LanguageDialog(const std::string& code, QWidget* parent = nullptr);

    // After OK: "de" when German is checked, otherwise "en".
    const std::string& getCode() const { return code; }

    void accept() override;

private:
    std::string code;
    QRadioButton* english = nullptr;
    QRadioButton* german = nullptr;
};

} // namespace tonvela
