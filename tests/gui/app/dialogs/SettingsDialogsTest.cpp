// The settings dialogs alone, each given what it edits: measurement settings,
// input device, protocol properties and language. Controls are found by their
// ids and worked as a user would; OK is the dialog's own accept().
#include "app/dialogs/DialogDataExchange.h"
#include "app/dialogs/InputDeviceDialog.h"
#include "app/dialogs/LanguageDialog.h"
#include "app/dialogs/MeasurementSettingsDialog.h"
#include "app/dialogs/PropertiesDialog.h"
#include "app/dialogs/SettingsDialogIds.h"
#include "audio/SoundDeviceManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/store/Settings.h"
#include "resources/Language.h"
#include "state/DataStructure.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tonvela {
namespace {

template <typename T> T* control(QWidget& dialog, int id) {
    T* found = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "control " << id;
    return found;
}

std::vector<std::string> groupTitles(QWidget& dialog) {
    std::vector<std::string> titles;
    for (const QGroupBox* box : dialog.findChildren<QGroupBox*>())
        titles.push_back(box->title().toStdString());
    return titles;
}

std::vector<std::string> labelTexts(QWidget& dialog) {
    std::vector<std::string> texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts.push_back(label->text().toStdString());
    return texts;
}

// The message boxes of the data exchange, caught instead of shown.
class CaughtMessages {
public:
    CaughtMessages() {
        DialogDataExchange::setMessageHook(
            [this](QWidget*, const QString& text) { texts.push_back(text.toStdString()); });
    }
    ~CaughtMessages() { DialogDataExchange::setMessageHook(nullptr); }
    std::vector<std::string> texts;
};

class SettingsDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { overrideLanguage(Language::English); }
    void TearDown() override { resetLanguage(); }
};

TEST_F(SettingsDialogsTest, MeasurementCalibrationIsReadAsANumberInRange) {
    struct Case {
        int control;
        const char* typed;
        bool accepted;
        float value;
        const char* message;
    };
    const Case cases[] = {
        {IDC_CALIB_IN, "100", true, 100.0f, nullptr},
        {IDC_CALIB_IN, "-100", true, -100.0f, nullptr},
        {IDC_CALIB_IN, "  -2.5 cents", true, -2.5f, nullptr},
        {IDC_CALIB_IN, "100.5", false, 0.0f, "Enter a number between -100 and 100."},
        {IDC_CALIB_IN, "abc", false, 0.0f, "Enter a number."},
        {IDC_CALIB_IN, "", false, 0.0f, "Enter a number."},
        {IDC_CALIB_OUT, "-100.01", false, 0.0f, "Enter a number between -100 and 100."},
        {IDC_CALIB_OUT, "3,5", true, 3.0f, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in " + std::to_string(c.control));
        CaughtMessages messages;
        MeasurementSettings given;
        given.calibIn = 1.0f;
        given.calibOut = 1.0f;
        MeasurementSettingsDialog dialog(given);
        QLineEdit* edit = control<QLineEdit>(dialog, c.control);
        QLineEdit* other =
            control<QLineEdit>(dialog, c.control == IDC_CALIB_IN ? IDC_CALIB_OUT : IDC_CALIB_IN);
        ASSERT_TRUE(edit && other);
        edit->setText(QString::fromUtf8(c.typed));
        other->setFocus();
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
        const MeasurementSettings& read = dialog.getSettings();
        const float value = c.control == IDC_CALIB_IN ? read.calibIn : read.calibOut;
        if (c.accepted) {
            EXPECT_TRUE(messages.texts.empty());
            EXPECT_EQ(value, c.value);
        } else {
            EXPECT_EQ(messages.texts, std::vector<std::string>{c.message});
            // Nothing is taken, and the offending field has the focus with
            // its text selected.
            EXPECT_EQ(value, 1.0f);
            EXPECT_EQ(dialog.focusWidget(), edit);
            EXPECT_EQ(edit->selectedText(), edit->text());
        }
    }
}

TEST_F(SettingsDialogsTest, MeasurementControlsShowAndReadBackEveryField) {
    MeasurementSettings given;
    given.harmonics[MeasurementSettings::Harmonic1_5] = false;
    given.accuracy = MeasurementSettings::Accurate;
    given.calibIn = 2.5f;
    given.calibOut = -0.125f;
    given.autoSwap = 1;
    given.autoMeasure = 0;
    MeasurementSettingsDialog dialog(given);
    EXPECT_EQ(control<QLineEdit>(dialog, IDC_CALIB_IN)->text().toStdString(), "2.500");
    EXPECT_EQ(control<QLineEdit>(dialog, IDC_CALIB_OUT)->text().toStdString(), "-0.125");
    EXPECT_FALSE(control<QCheckBox>(dialog, IDC_HARMONIC_1 + 1)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(dialog, IDC_HARMONIC_1 + 5)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, IDC_MODE_ACCURATE)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, IDC_AUTO_SWAP_ON)->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, IDC_AUTO_MEASURE_OFF)->isChecked());

    control<QCheckBox>(dialog, IDC_HARMONIC_1 + 1)->click();
    control<QCheckBox>(dialog, IDC_HARMONIC_1 + 3)->click();
    control<QRadioButton>(dialog, IDC_MODE_MOST_ACCURATE)->click();
    control<QRadioButton>(dialog, IDC_AUTO_SWAP_OFF)->click();
    control<QRadioButton>(dialog, IDC_AUTO_MEASURE_ON)->click();
    control<QPushButton>(dialog, IDC_OK)->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const MeasurementSettings& read = dialog.getSettings();
    EXPECT_EQ(read.harmonicsMask(), 0b110111);
    EXPECT_EQ(read.accuracy, MeasurementSettings::MostAccurate);
    EXPECT_EQ(read.calibIn, 2.5f);
    EXPECT_EQ(read.calibOut, -0.125f);
    EXPECT_EQ(read.autoSwap, 0);
    EXPECT_EQ(read.autoMeasure, 1);
}

TEST_F(SettingsDialogsTest, MeasurementValuesWithoutAButtonStayAsTheyWere) {
    MeasurementSettings given;
    given.accuracy = 7;
    given.autoSwap = 3;
    MeasurementSettingsDialog dialog(given);
    for (int id : {IDC_MODE_STANDARD, IDC_MODE_ACCURATE, IDC_MODE_MOST_ACCURATE, IDC_AUTO_SWAP_OFF,
                   IDC_AUTO_SWAP_ON})
        EXPECT_FALSE(control<QRadioButton>(dialog, id)->isChecked()) << id;
    dialog.accept();
    EXPECT_EQ(dialog.getSettings().accuracy, 7);
    EXPECT_EQ(dialog.getSettings().autoSwap, 3);
}

class InputDeviceDialogTest : public SettingsDialogsTest {
protected:
    void SetUp() override {
        SettingsDialogsTest::SetUp();
        setenv("TONVELA_CONFIG_DIR", config.file("config").c_str(), 1);
        ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
    }
    void TearDown() override {
        SoundDeviceManager::destroyInstance();
        DataStructure::destroyInstance();
        installAudioBackend(nullptr);
        SettingsDialogsTest::TearDown();
    }
    // A fresh manager over devices of these names, after "device" was saved.
    SoundDeviceManager& manager(const std::vector<std::string>& names, const char* saved) {
        SoundDeviceManager::destroyInstance();
        DataStructure::destroyInstance();
        writeProfileString("settings", "device", saved ? saved : "");
        auto backend = std::make_unique<VirtualAudioBackend>();
        for (const std::string& name : names) {
            VirtualInputDevice device;
            device.name = name;
            device.generator = [](double) { return 0.0; };
            backend->addInputDevice(device);
        }
        installAudioBackend(std::move(backend));
        return SoundDeviceManager::getInstance();
    }
    test::TempDir config;
};

TEST_F(InputDeviceDialogTest, ListsTheDevicesByNameAndPreselectsByTheRules) {
    struct Case {
        std::vector<std::string> devices; // in the platform's order
        const char* saved;
        std::vector<std::string> listed;
        std::string preselected; // "" for none
        bool missingShown;
    };
    const Case cases[] = {
        {{"USB Microphone", "Built-in Audio"},
         "Gone Card",
         {"Built-in Audio", "USB Microphone"},
         "Built-in Audio",
         true},
        {{"USB Microphone", "Built-in Audio"},
         "USB Microphone",
         {"Built-in Audio", "USB Microphone"},
         "USB Microphone",
         false},
        {{"USB Microphone", "Built-in Audio"},
         nullptr,
         {"Built-in Audio", "USB Microphone"},
         "Built-in Audio",
         false},
        {{"USB Microphone", "Built-in Audio"},
         "null",
         {"Built-in Audio", "USB Microphone"},
         "Built-in Audio",
         false},
        {{"zeta", "Alpha", "beta"}, "beta", {"Alpha", "beta", "zeta"}, "beta", false},
        {{"Only Card"}, "Other Card", {"Only Card"}, "Only Card", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved ? c.saved : "(nothing saved)");
        SoundDeviceManager& devices = manager(c.devices, c.saved);
        InputDeviceDialog dialog(devices, c.saved ? c.saved : "");
        QComboBox* list = control<QComboBox>(dialog, IDC_DEVICE_LIST);
        ASSERT_NE(list, nullptr);
        std::vector<std::string> listed;
        for (int i = 0; i < list->count(); ++i)
            listed.push_back(list->itemText(i).toStdString());
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(list->currentText().toStdString(), c.preselected);
        EXPECT_EQ(dialog.showsMissingDevice(), c.missingShown);
        if (c.missingShown) {
            const QLabel* notice = dialog.findChild<QLabel*>(QStringLiteral("MissingDevice"));
            EXPECT_TRUE(notice->text().contains(QString::fromUtf8(c.saved)));
        }
        // OK hands back the entry's own device.
        dialog.accept();
        ASSERT_NE(dialog.getSelectedDevice(), nullptr);
        EXPECT_EQ(dialog.getSelectedDevice()->getName(), c.preselected);
        EXPECT_EQ(dialog.getSelectedIndex(), list->currentIndex());
    }
}

TEST_F(InputDeviceDialogTest, ChoosingAnotherEntryHandsBackItsDevice) {
    SoundDeviceManager& devices = manager({"Twin", "Card B", "Twin"}, "Card B");
    InputDeviceDialog dialog(devices, "Card B");
    QComboBox* list = control<QComboBox>(dialog, IDC_DEVICE_LIST);
    ASSERT_EQ(list->currentText().toStdString(), "Card B");
    // The two entries of one name carry the platform's first and second.
    list->setCurrentIndex(2);
    dialog.accept();
    EXPECT_EQ(dialog.getSelectedDevice(), devices.getDevice(2));
}

TEST_F(SettingsDialogsTest, PropertiesKeepLinesAndGiveBackEveryText) {
    ProtocolTexts given{"Parish of St. Mary", "Organ", "Main church", "First line\r\nSecond line",
                        "J. Tuner"};
    PropertiesDialog dialog(given);
    EXPECT_EQ(control<QPlainTextEdit>(dialog, IDC_REMARKS)->toPlainText().toStdString(),
              "First line\nSecond line");
    QPlainTextEdit* remarks = control<QPlainTextEdit>(dialog, IDC_REMARKS);
    remarks->moveCursor(QTextCursor::End);
    QTest::keyClick(remarks, Qt::Key_Return);
    QTest::keyClicks(remarks, "Third");
    control<QPlainTextEdit>(dialog, IDC_CUSTOMER)->setPlainText(QStringLiteral("Müller"));
    // Cancel gives nothing back.
    dialog.reject();
    EXPECT_EQ(dialog.getTexts().customer, "Parish of St. Mary");
    dialog.accept();
    const ProtocolTexts& read = dialog.getTexts();
    EXPECT_EQ(read.customer, "Müller");
    EXPECT_EQ(read.instrument, "Organ");
    EXPECT_EQ(read.location, "Main church");
    EXPECT_EQ(read.remarks, "First line\nSecond line\nThird");
    EXPECT_EQ(read.author, "J. Tuner");
}

TEST_F(SettingsDialogsTest, LanguageShowsTheStoredCodeAndGivesBackEnOrDe) {
    struct Case {
        const char* stored;
        bool germanChecked;
    };
    for (const Case& c : {Case{"de", true}, Case{"en", false}, Case{"xx", false}, Case{"fr", false},
                          Case{"", false}}) {
        SCOPED_TRACE(c.stored);
        LanguageDialog dialog(c.stored);
        EXPECT_EQ(control<QRadioButton>(dialog, IDC_LANGUAGE_GERMAN)->isChecked(), c.germanChecked);
        EXPECT_EQ(control<QRadioButton>(dialog, IDC_LANGUAGE_ENGLISH)->isChecked(),
                  !c.germanChecked);
        dialog.accept();
        EXPECT_EQ(dialog.getCode(), c.germanChecked ? "de" : "en");
    }
    LanguageDialog dialog("xx");
    control<QRadioButton>(dialog, IDC_LANGUAGE_GERMAN)->click();
    dialog.accept();
    EXPECT_EQ(dialog.getCode(), "de");
}

// The keyboard walks each dialog in reading order; Tab leaves a text field
// rather than typing a tab into it.
TEST_F(SettingsDialogsTest, TabGoesThroughTheControlsInReadingOrder) {
    const auto walk = [](QDialog& dialog, int first, int steps) {
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        control<QWidget>(dialog, first)->setFocus();
        std::vector<std::string> visited;
        for (int i = 0; i < steps; ++i) {
            QWidget* focused = QApplication::focusWidget();
            if (!focused)
                break;
            // A group of radio buttons is one stop; which of its buttons takes
            // the focus is the toolkit's choice.
            const auto* radio = qobject_cast<QRadioButton*>(focused);
            visited.push_back(radio ? "group " + radio->parentWidget()->objectName().toStdString()
                                    : focused->objectName().toStdString());
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        return visited;
    };
    {
        PropertiesDialog dialog(ProtocolTexts{});
        EXPECT_EQ(walk(dialog, IDC_CUSTOMER, 7),
                  (std::vector<std::string>{"1028", "1027", "1029", "1030", "1031", "1", "2"}));
        EXPECT_EQ(control<QPlainTextEdit>(dialog, IDC_CUSTOMER)->toPlainText().toStdString(), "");
    }
    {
        MeasurementSettingsDialog dialog(MeasurementSettings{});
        EXPECT_EQ(walk(dialog, IDC_HARMONIC_1, 14),
                  (std::vector<std::string>{"1076", "1077", "1078", "1079", "1080", "1081",
                                            "group Mode", "1083", "1088", "group AutoSwap",
                                            "group AutoMeasure", "1", "2", "1076"}));
    }
}

// Every dialog in German: title, groups, captions and buttons.
TEST_F(SettingsDialogsTest, GermanTexts) {
    overrideLanguage(Language::German);
    {
        CaughtMessages messages;
        MeasurementSettingsDialog dialog(MeasurementSettings{});
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Einstellungen Messung");
        EXPECT_EQ(groupTitles(dialog), (std::vector<std::string>{
                                           "Obertöne", "Messmodus", "System-Eichung",
                                           "Automatische Tonerkennung", "Automatischer Messstop"}));
        EXPECT_EQ(labelTexts(dialog),
                  (std::vector<std::string>{"Toneingang [Cent]:", "Tonausgang [Cent]:"}));
        const std::pair<int, const char*> buttons[] = {
            {IDC_MODE_STANDARD, "Standard (Schnell)"},
            {IDC_MODE_ACCURATE, "Präzise (Langsam)"},
            {IDC_MODE_MOST_ACCURATE, "Äusserst Präzise (Nur Stabiler Ton)"},
            {IDC_AUTO_SWAP_OFF, "Aus"},
            {IDC_AUTO_MEASURE_ON, "Ein"},
            {IDC_HARMONIC_1 + 3, "2.25"},
            {IDC_OK, "OK"},
            {IDC_CANCEL, "Abbrechen"},
        };
        for (const auto& [id, text] : buttons)
            EXPECT_EQ(control<QAbstractButton>(dialog, id)->text().toStdString(), text);
        control<QLineEdit>(dialog, IDC_CALIB_IN)->setText(QStringLiteral("abc"));
        dialog.accept();
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_NE(messages.texts[0], "Enter a number.");
    }
    {
        PropertiesDialog dialog(ProtocolTexts{});
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Protokolldaten");
        EXPECT_EQ(labelTexts(dialog),
                  (std::vector<std::string>{"Kunde:", "Instrument:", "Standort:", "Bemerkung:",
                                            "Messung durchgeführt von:"}));
        EXPECT_EQ(control<QWidget>(dialog, IDC_AUTHOR)->accessibleName().toStdString(),
                  "Messung durchgeführt von");
    }
    {
        LanguageDialog dialog("en");
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Sprache");
        EXPECT_EQ(groupTitles(dialog), std::vector<std::string>{"Sprache nach nächstem Start"});
        EXPECT_EQ(control<QRadioButton>(dialog, IDC_LANGUAGE_ENGLISH)->text().toStdString(),
                  "Englisch");
        EXPECT_EQ(control<QRadioButton>(dialog, IDC_LANGUAGE_GERMAN)->text().toStdString(),
                  "Deutsch");
    }
}

TEST_F(InputDeviceDialogTest, GermanTexts) {
    overrideLanguage(Language::German);
    SoundDeviceManager& devices = manager({"Karte A", "Karte B"}, "Alte Karte");
    InputDeviceDialog dialog(devices, "Alte Karte");
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Eingabegerät");
    EXPECT_EQ(groupTitles(dialog), std::vector<std::string>{"Auswahl des Eingabegerätes"});
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("MissingDevice"))->text().toStdString(),
              "Das zuvor gewählte Eingabegerät \"Alte Karte\" ist nicht vorhanden; gemessen "
              "wird der Standard-Eingang des Systems. Wählen Sie ein Gerät und bestätigen Sie "
              "mit OK.");
}

} // namespace
} // namespace tonvela
