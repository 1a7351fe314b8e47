#include "app/dialogs/DialogDataExchange.h"

#include "resources/Language.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tonvela {
namespace {

// A dialog with two edits; the hook records each message and where the focus
// and selection stood when it came.
class DataExchangeDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        overrideLanguage(Language::English);
        auto* layout = new QVBoxLayout(&dialog);
        first = new QLineEdit(&dialog);
        second = new QLineEdit(&dialog);
        layout->addWidget(first);
        layout->addWidget(second);
        dialog.show();
        first->setFocus();
        DialogDataExchange::setMessageHook([this](QWidget* parent, const QString& text) {
            parents.push_back(parent);
            messages.push_back(text);
        });
    }
    void TearDown() override {
        DialogDataExchange::setMessageHook(nullptr);
        resetLanguage();
    }

    QDialog dialog;
    QLineEdit* first = nullptr;
    QLineEdit* second = nullptr;
    std::vector<QWidget*> parents;
    std::vector<QString> messages;
};

TEST_F(DataExchangeDialogTest, GoodTextsReadWithoutMessage) {
    DialogDataExchange exchange(&dialog);
    first->setText(" 442Hz");
    second->setText("-150");
    float pitch = 0.0f;
    double cents = 0.0;
    int count = 0;
    EXPECT_TRUE(exchange.readFloat(first, pitch));
    EXPECT_TRUE(exchange.readDouble(second, cents, -150.0, 150.0));
    second->setText("64 notes");
    EXPECT_TRUE(exchange.readInt(second, count, 1, 64));
    EXPECT_EQ(pitch, 442.0f);
    EXPECT_EQ(cents, -150.0);
    EXPECT_EQ(count, 64);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DataExchangeDialogTest, FailureShowsTheMessageAndSelectsTheEdit) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"Hz", "Enter a number."},
        {"", "Enter a number."},
        {"100.5", "Enter a number between -100 and 100."},
        {"-150.01", "Enter a number between -100 and 100."},
    };
    for (const Case& c : cases) {
        messages.clear();
        first->setFocus();
        second->setText(c.text);
        float value = 7.0f;
        EXPECT_FALSE(DialogDataExchange(&dialog).readFloat(second, value, -100.0f, 100.0f));
        EXPECT_EQ(value, 7.0f) << c.text; // left alone
        ASSERT_EQ(messages.size(), 1u) << c.text;
        EXPECT_EQ(messages[0].toStdString(), c.message);
        EXPECT_EQ(parents[0], &dialog);
        EXPECT_EQ(dialog.focusWidget(), second) << c.text;
        EXPECT_EQ(second->selectedText(), second->text()) << c.text;
    }
    int count = 0;
    second->setText("0");
    EXPECT_FALSE(DialogDataExchange(&dialog).readInt(second, count, 1, 64));
    EXPECT_EQ(messages.back().toStdString(), "Enter a number between 1 and 64.");
}

TEST_F(DataExchangeDialogTest, GermanMessages) {
    overrideLanguage(Language::German);
    double value = 0.0;
    first->setText("abc");
    EXPECT_FALSE(DialogDataExchange(&dialog).readDouble(first, value));
    first->setText("1001");
    EXPECT_FALSE(DialogDataExchange(&dialog).readDouble(first, value, 100.0, 1000.0));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].toStdString(), "Geben Sie eine Zahl ein.");
    EXPECT_EQ(messages[1].toStdString(), "Geben Sie eine Zahl zwischen 100 und 1000 ein.");
}

} // namespace
} // namespace tonvela
