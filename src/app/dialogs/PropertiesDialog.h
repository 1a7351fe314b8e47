#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace tonvela {

// The protocol's descriptive texts as the properties dialog edits them.
struct ProtocolTexts {
    std::string customer;
    std::string instrument;
    std::string location;
    std::string remarks;
    std::string author;
};

// The protocol's customer, instrument, location, remarks and author, each in
// a field of several lines (Enter starts a new line, Tab goes on to the next
// field).
class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PropertiesDialog(const ProtocolTexts& texts, QWidget* parent = nullptr);

    // The texts as confirmed (as given until OK), lines separated by "\n".
    const ProtocolTexts& getTexts() const { return texts; }

    void accept() override;

private:
    ProtocolTexts texts;
    QPlainTextEdit* customer = nullptr;
    QPlainTextEdit* instrument = nullptr;
    QPlainTextEdit* location = nullptr;
    QPlainTextEdit* remarks = nullptr;
    QPlainTextEdit* author = nullptr;
};

} // namespace tonvela
