#include "app/dialogs/ScaleDialog.h"

#include "app/dialogs/DialogDataExchange.h"
#include "gui/app/dialogs/ModalDialogs.h"
#include "resources/Language.h"
#include "tuning/ToneScaleCollection.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tonvela {
namespace {

using test::control;
using test::editText;

class ScaleDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        overrideLanguage(Language::English);
        scales.emplace();
        DialogDataExchange::setMessageHook(
            [this](QWidget*, const QString& text) { messages.push_back(text.toStdString()); });
    }
    void TearDown() override {
        DialogDataExchange::setMessageHook(nullptr);
        resetLanguage();
    }

    int indexOf(const std::string& key) {
        for (int i = 0; i < scales->getScaleCount(); ++i)
            if (scales->getScale(i)->getKey() == key)
                return i;
        return -1;
    }

    std::optional<ToneScaleCollection> scales;
    std::vector<std::string> messages;
};

TEST_F(ScaleDialogTest, FreshStartShowsEqualTemperamentOnC) {
    ScaleDialog dialog(*scales, nullptr);
    auto* list = control<QComboBox>(&dialog, 1001);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->currentText().toStdString(), "Equal Tempered, Perfect Octave");
    EXPECT_EQ(list->count(), scales->getScaleCount());
    EXPECT_EQ(control<QComboBox>(&dialog, 1053)->currentText().toStdString(), "C");
    EXPECT_EQ(control<QComboBox>(&dialog, 1053)->count(), 12);
    EXPECT_EQ(editText(&dialog, 1002).toStdString(), "440.0");
    EXPECT_EQ(editText(&dialog, 1004).toStdString(), "0.000");
    EXPECT_EQ(editText(&dialog, 1003).toStdString(), "0.000");
    EXPECT_FALSE(control<QLineEdit>(&dialog, 1003)->isEnabled());
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Scale Dialog");
}

TEST_F(ScaleDialogTest, OpensOnTheCurrentSettings) {
    scales->setScale("kirnberger3_1779", 2, 415.0f, -3.25f);
    ScaleDialog dialog(*scales, nullptr);
    EXPECT_EQ(control<QComboBox>(&dialog, 1001)->currentIndex(), indexOf("kirnberger3_1779"));
    EXPECT_EQ(control<QComboBox>(&dialog, 1053)->currentIndex(), 2);
    EXPECT_EQ(editText(&dialog, 1002).toStdString(), "415.0");
    EXPECT_EQ(editText(&dialog, 1004).toStdString(), "-3.250");
    // A pitch the dialog would refuse, from an old document, is still shown.
    scales->setScale("equal", 0, 50.0f, 0.0f);
    ScaleDialog old(*scales, nullptr);
    EXPECT_EQ(editText(&old, 1002).toStdString(), "50.0");
}

TEST_F(ScaleDialogTest, ChoosingATemperamentShowsItsStretchAtOnce) {
    ScaleDialog dialog(*scales, nullptr);
    auto* list = control<QComboBox>(&dialog, 1001);
    const int fourth = list->findText(QStringLiteral("Equal Tempered, Perfect Fourth"));
    ASSERT_GE(fourth, 0);
    list->setCurrentIndex(fourth);
    EXPECT_EQ(editText(&dialog, 1003).toStdString(), "-4.692");
    EXPECT_FALSE(control<QLineEdit>(&dialog, 1003)->isEnabled());
}

TEST_F(ScaleDialogTest, OkReadsTheNumbersAtTheStartOfTheTexts) {
    struct Case {
        const char* pitch;
        const char* calibration;
        const char* message; // "" for accepted
        float expectedPitch;
    };
    const Case cases[] = {
        {" 442", "0", "", 442.0f},
        {"442Hz", "1.5 cent", "", 442.0f},
        {"100", "-100", "", 100.0f},
        {"1000", "100", "", 1000.0f},
        {"Hz", "0", "Enter a number.", 0.0f},
        {"", "0", "Enter a number.", 0.0f},
        {"99.9", "0", "Enter a number between 100 and 1000.", 0.0f},
        {"-440", "0", "Enter a number between 100 and 1000.", 0.0f},
        {"440", "100.5", "Enter a number between -100 and 100.", 0.0f},
        {"440", "abc", "Enter a number.", 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pitch) + " / " + c.calibration);
        messages.clear();
        ScaleDialog dialog(*scales, nullptr);
        dialog.show();
        control<QLineEdit>(&dialog, 1002)->setText(QString::fromUtf8(c.pitch));
        control<QLineEdit>(&dialog, 1004)->setText(QString::fromUtf8(c.calibration));
        QTest::mouseClick(control<QPushButton>(&dialog, 1), Qt::LeftButton);
        if (*c.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], c.message);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
            const int offending = std::string(c.message).find("-100") != std::string::npos ||
                                          std::string(c.calibration) == "abc"
                                      ? 1004
                                      : 1002;
            EXPECT_EQ(dialog.focusWidget(), control<QWidget>(&dialog, offending));
        } else {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.standardPitch, c.expectedPitch);
        }
    }
}

TEST_F(ScaleDialogTest, OkGivesTheChosenFields) {
    ScaleDialog dialog(*scales, nullptr);
    const int kirnberger = indexOf("kirnberger3_1779");
    control<QComboBox>(&dialog, 1001)->setCurrentIndex(kirnberger);
    control<QComboBox>(&dialog, 1053)->setCurrentIndex(2);
    control<QLineEdit>(&dialog, 1002)->setText(QStringLiteral("442"));
    control<QLineEdit>(&dialog, 1004)->setText(QStringLiteral("-2.5"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.scaleIndex, kirnberger);
    EXPECT_EQ(dialog.keynote, 2);
    EXPECT_EQ(dialog.standardPitch, 442.0f);
    EXPECT_EQ(dialog.calibration, -2.5f);
    // The dialog itself changes nothing.
    EXPECT_EQ(scales->getCurrentScale()->getKey(), "equal");
}

TEST_F(ScaleDialogTest, KeyboardOrderFollowsTheLayout) {
    ScaleDialog dialog(*scales, nullptr);
    EXPECT_EQ(test::focusOrder(&dialog, 1001),
              (std::vector<std::string>{"1001", "1053", "1002", "1004", "1", "2"}));
}

TEST_F(ScaleDialogTest, GermanTexts) {
    overrideLanguage(Language::German);
    scales.emplace(); // the note names come in the language of the run
    ScaleDialog dialog(*scales, nullptr);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Tonskala");
    EXPECT_EQ(dialog.findChild<QGroupBox*>()->title().toStdString(), "Tonskala");
    std::vector<std::string> labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels.push_back(label->text().toStdString());
    for (const char* text :
         {"Grundton:", "Kammerton (a4):", "Kalibrierung:", "Oktavstreckung:", "Hertz", "Cent"})
        EXPECT_NE(std::find(labels.begin(), labels.end(), text), labels.end()) << text;
    EXPECT_EQ(control<QPushButton>(&dialog, 2)->text().toStdString(), "Abbrechen");
    EXPECT_EQ(control<QComboBox>(&dialog, 1053)->itemText(11).toStdString(), "h");
    messages.clear();
    control<QLineEdit>(&dialog, 1002)->setText(QStringLiteral("50"));
    dialog.accept();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Geben Sie eine Zahl zwischen 100 und 1000 ein.");
}

} // namespace
} // namespace tonvela
