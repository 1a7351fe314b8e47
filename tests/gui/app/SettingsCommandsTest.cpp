// The settings commands of the main window with the real application
// objects: Protocol > Properties, Settings > Measurement, Input Device and
// Language, each worked through its dialog.
#include "app/FileDialogs.h"
#include "app/MainFrame.h"
#include "app/TonvelaApp.h"
#include "app/dialogs/InputDeviceDialog.h"
#include "app/dialogs/LanguageDialog.h"
#include "app/dialogs/MeasurementSettingsDialog.h"
#include "app/dialogs/PropertiesDialog.h"
#include "app/dialogs/SettingsDialogIds.h"
#include "app/dialogs/SettingsDialogSupport.h"
#include "audio/SoundDeviceManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/WindowTesting.h"
#include "platform/store/Settings.h"
#include "resources/CommandIds.h"
#include "resources/Language.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"
#include "support/TempDir.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolBar>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tonvela {
namespace {

template <typename T> T* control(QDialog& dialog, int id) {
    T* found = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "control " << id;
    return found;
}

// Counts the central state's notifications.
class CountingListener : public DataStructureListener {
public:
    CountingListener() { DataStructure::getInstance().addListener(this); }
    ~CountingListener() override { DataStructure::getInstance().removeListener(this); }
    void dataChanged(int event) override { events.push_back(event); }
    std::vector<int> events;
};

class SettingsCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousConfig = std::getenv("TONVELA_CONFIG_DIR") ? std::getenv("TONVELA_CONFIG_DIR") : "";
        setenv("TONVELA_CONFIG_DIR", dir.file("config").c_str(), 1);
        resetLanguage();
        setMessageBoxAnswer([this](const std::string& text, const std::string&, unsigned) {
            boxes.push_back(text);
            return IDOK;
        });
    }

    void TearDown() override {
        stop();
        setModalRunner(nullptr);
        setMessageBoxAnswer(nullptr);
        setenv("TONVELA_CONFIG_DIR", previousConfig.c_str(), 1);
    }

    // The program on virtual input devices of these names, with "device" and
    // "language" stored before it starts.
    void start(const std::vector<std::string>& devices = {"Quiet"}, const char* saved = nullptr,
               const char* language = "en") {
        stop();
        Settings::openRoot("Tonvela");
        if (saved)
            writeProfileString("settings", "device", saved);
        writeProfileString("settings", "language", language);
        auto backend = std::make_unique<VirtualAudioBackend>();
        for (const std::string& name : devices) {
            VirtualInputDevice device;
            device.name = name;
            device.generator = [](double) { return 0.0; };
            backend->addInputDevice(device);
        }
        backend->setOutputPacing(VirtualAudioBackend::OutputPacing::RealTime, false);
        ASSERT_TRUE(installAudioBackend(std::move(backend)));
        app.emplace();
        ASSERT_EQ(app->initInstance({}), TonvelaApp::Start::Running);
    }

    void stop() {
        if (app) {
            app->exitInstance();
            app.reset();
            installAudioBackend(nullptr);
        }
        resetLanguage();
    }

    // The next dialog is worked by work(dialog), which returns whether it
    // presses OK; OK is the dialog's own accept(), which may refuse.
    template <typename Dialog> void answerDialog(std::function<bool(Dialog&)> work) {
        setModalRunner([this, work](QDialog& shown) {
            ++dialogsShown;
            auto* dialog = dynamic_cast<Dialog*>(&shown);
            EXPECT_NE(dialog, nullptr) << shown.objectName().toStdString();
            if (!dialog || !work(*dialog))
                return false;
            shown.accept();
            return shown.result() == QDialog::Accepted;
        });
    }

    MainFrame& frame() { return *app->getMainFrame(); }
    TonvelaDoc& document() { return *app->getDocument(); }

    std::vector<std::string> menuTitles() {
        std::vector<std::string> titles;
        for (QAction* menu : frame().menuBar()->actions())
            titles.push_back(menu->text().toStdString());
        return titles;
    }

    std::vector<std::string> menuItems(const char* menuName) {
        std::vector<std::string> items;
        QMenu* menu = frame().findChild<QMenu*>(QString::fromLatin1(menuName));
        EXPECT_NE(menu, nullptr) << menuName;
        for (QAction* item : menu->actions())
            items.push_back(item->isSeparator() ? "|" : item->text().toStdString());
        return items;
    }

    test::TempDir dir;
    std::string previousConfig;
    std::optional<TonvelaApp> app;
    std::vector<std::string> boxes;
    int dialogsShown = 0;
};

TEST_F(SettingsCommandsTest, MeasurementHandsTheDialogsSettingsToTheStateEvenUnchanged) {
    start();
    DataStructure& state = DataStructure::getInstance();
    CountingListener listener;

    // OK without a change still notifies once.
    answerDialog<MeasurementSettingsDialog>([](MeasurementSettingsDialog&) { return true; });
    EXPECT_TRUE(frame().onSettingsMeasurement());
    EXPECT_EQ(listener.events, std::vector<int>{DataStructureListener::MeasurementSettingsChanged});

    // Cancel: nothing.
    listener.events.clear();
    answerDialog<MeasurementSettingsDialog>([](MeasurementSettingsDialog& dialog) {
        control<QLineEdit>(dialog, IDC_CALIB_IN)->setText(QStringLiteral("9"));
        return false;
    });
    EXPECT_FALSE(frame().onSettingsMeasurement());
    EXPECT_TRUE(listener.events.empty());
    EXPECT_EQ(state.getCalibIn(), 0.0f);

    // A new mode and calibration, through the menu item, are kept and shown
    // again the next time.
    answerDialog<MeasurementSettingsDialog>([](MeasurementSettingsDialog& dialog) {
        control<QLineEdit>(dialog, IDC_CALIB_IN)->setText(QStringLiteral("2.5"));
        control<QRadioButton>(dialog, IDC_MODE_MOST_ACCURATE)->click();
        return true;
    });
    frame().action(ID_SETTINGS_MEASUREMENT)->trigger();
    EXPECT_EQ(state.getCalibIn(), 2.5f);
    EXPECT_EQ(state.getAccuracy(), MeasurementSettings::MostAccurate);
    std::string shown;
    answerDialog<MeasurementSettingsDialog>([&shown](MeasurementSettingsDialog& dialog) {
        shown = control<QLineEdit>(dialog, IDC_CALIB_IN)->text().toStdString();
        return false;
    });
    frame().onSettingsMeasurement();
    EXPECT_EQ(shown, "2.500");
}

TEST_F(SettingsCommandsTest, PropertiesMarkTheDocumentModifiedOnlyOnOk) {
    start();
    document().setRemarks("Old remark");
    std::string remarksShown;
    answerDialog<PropertiesDialog>([&remarksShown](PropertiesDialog& dialog) {
        remarksShown = control<QPlainTextEdit>(dialog, IDC_REMARKS)->toPlainText().toStdString();
        control<QPlainTextEdit>(dialog, IDC_CUSTOMER)->setPlainText(QStringLiteral("Nobody"));
        return false;
    });
    EXPECT_FALSE(frame().onProtocolProperties());
    EXPECT_EQ(remarksShown, "Old remark");
    EXPECT_FALSE(document().IsModified());
    EXPECT_EQ(document().getCustomer(), "");

    // OK with the texts unchanged still marks it.
    answerDialog<PropertiesDialog>([](PropertiesDialog&) { return true; });
    EXPECT_TRUE(frame().onProtocolProperties());
    EXPECT_TRUE(document().IsModified());
    EXPECT_EQ(document().getRemarks(), "Old remark");

    document().SetModifiedFlag(false);
    answerDialog<PropertiesDialog>([](PropertiesDialog& dialog) {
        control<QPlainTextEdit>(dialog, IDC_CUSTOMER)->setPlainText(QStringLiteral("Parish"));
        control<QPlainTextEdit>(dialog, IDC_INSTRUMENT)->setPlainText(QStringLiteral("Organ"));
        control<QPlainTextEdit>(dialog, IDC_LOCATION)->setPlainText(QStringLiteral("Church"));
        control<QPlainTextEdit>(dialog, IDC_REMARKS)->setPlainText(QStringLiteral("One\nTwo"));
        control<QPlainTextEdit>(dialog, IDC_AUTHOR)->setPlainText(QStringLiteral("J. Tuner"));
        return true;
    });
    frame().action(ID_PROTOCOL_PROPERTIES)->trigger();
    EXPECT_TRUE(document().IsModified());
    EXPECT_EQ(document().getCustomer(), "Parish");
    EXPECT_EQ(document().getInstrument(), "Organ");
    EXPECT_EQ(document().getLocation(), "Church");
    EXPECT_EQ(document().getRemarks(), "One\nTwo");
    EXPECT_EQ(document().getAuthor(), "J. Tuner");

    // Saved and opened again, the remark keeps its two lines.
    const std::string path = dir.file("with remarks.tnv");
    setFileDialogAnswer([path](bool) { return path; });
    ASSERT_TRUE(frame().onFileSaveAs());
    setFileDialogAnswer(nullptr);
    ASSERT_TRUE(frame().onFileNew());
    EXPECT_EQ(document().getRemarks(), "");
    ASSERT_TRUE(frame().openDocumentFile(path));
    EXPECT_EQ(document().getRemarks(), "One\nTwo");
    EXPECT_EQ(document().getAuthor(), "J. Tuner");
}

TEST_F(SettingsCommandsTest, InputDeviceAfterTheSavedOneVanishedPreselectsTheFirst) {
    start({"USB Microphone", "Built-in Audio"}, "Gone Card");
    SoundDeviceManager& manager = SoundDeviceManager::getInstance();
    ASSERT_EQ(manager.getSelectedDevice(), nullptr);
    EXPECT_EQ(DataStructure::getInstance().getInputDevice(), -1);
    std::string preselected;
    bool missingShown = false;
    answerDialog<InputDeviceDialog>([&](InputDeviceDialog& dialog) {
        preselected = control<QComboBox>(dialog, IDC_DEVICE_LIST)->currentText().toStdString();
        missingShown = dialog.showsMissingDevice();
        return true;
    });
    frame().action(ID_SETTINGS_INPUT_DEVICE)->trigger();
    EXPECT_EQ(preselected, "Built-in Audio");
    EXPECT_TRUE(missingShown);
    // Handed to the manager: selected, remembered, and measured from.
    ASSERT_NE(manager.getSelectedDevice(), nullptr);
    EXPECT_EQ(manager.getSelectedDevice()->getName(), "Built-in Audio");
    EXPECT_EQ(getProfileString("settings", "device"), "Built-in Audio");
    EXPECT_EQ(DataStructure::getInstance().getInputDevice(), 1);

    // Cancel changes nothing.
    answerDialog<InputDeviceDialog>([](InputDeviceDialog& dialog) {
        control<QComboBox>(dialog, IDC_DEVICE_LIST)->setCurrentIndex(1);
        return false;
    });
    EXPECT_FALSE(frame().onSettingsInputDevice());
    EXPECT_EQ(getProfileString("settings", "device"), "Built-in Audio");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsCommandsTest, InputDeviceWithoutAnyDeviceShowsTheManagersReasons) {
    start({});
    answerDialog<InputDeviceDialog>([](InputDeviceDialog&) { return true; });
    EXPECT_FALSE(frame().onSettingsInputDevice());
    EXPECT_EQ(dialogsShown, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], SoundDeviceManager::getInstance().getErrorText());
    EXPECT_EQ(boxes[0].rfind("No input device available. ", 0), 0u) << boxes[0];
}

TEST_F(SettingsCommandsTest, LanguageIsWrittenForTheNextStart) {
    start();
    std::vector<std::string> english = menuTitles();
    bool englishChecked = false;
    answerDialog<LanguageDialog>([&englishChecked](LanguageDialog& dialog) {
        englishChecked = control<QRadioButton>(dialog, IDC_LANGUAGE_ENGLISH)->isChecked();
        control<QRadioButton>(dialog, IDC_LANGUAGE_GERMAN)->click();
        return true;
    });
    frame().action(ID_SETTINGS_LANGUAGE)->trigger();
    EXPECT_TRUE(englishChecked);
    EXPECT_EQ(getProfileString("settings", "language"), "de");
    // This run stays English.
    EXPECT_FALSE(isGermanLanguage());
    EXPECT_EQ(menuTitles(), english);

    // The next start is German, and the dialog shows German checked.
    stop();
    Settings::openRoot("Tonvela");
    app.emplace();
    installAudioBackend(std::make_unique<VirtualAudioBackend>());
    ASSERT_EQ(app->initInstance({}), TonvelaApp::Start::Running);
    EXPECT_TRUE(isGermanLanguage());
    bool germanChecked = false;
    answerDialog<LanguageDialog>([&germanChecked](LanguageDialog& dialog) {
        germanChecked = control<QRadioButton>(dialog, IDC_LANGUAGE_GERMAN)->isChecked();
        return false;
    });
    frame().onSettingsLanguage();
    EXPECT_TRUE(germanChecked);
    EXPECT_EQ(getProfileString("settings", "language"), "de");
}

TEST_F(SettingsCommandsTest, MenusAndToolbarInBothLanguages) {
    struct Case {
        const char* language;
        std::vector<std::string> titles;
        std::vector<std::string> protocol;
        std::vector<std::string> settings;
        std::vector<std::string> toolTips;
    };
    const Case cases[] = {
        {"en",
         {"&File", "&Tune", "&Protocol", "&Settings", "&View", "&Help"},
         {"&Properties...", "Store Protocol As &Temperament...", "&Clear Protocol"},
         {"&Measurement...", "&Input Device...", "&Language..."},
         {"New", "Open", "Save", "Print Preview", "|", "Scale", "Protocol Properties", "|",
          "Help Topics"}},
        {"de",
         {"&Datei", "&Stimmen", "&Protokoll", "&Einstellungen", "&Ansicht", "&Hilfe"},
         {"&Protokolldaten...", "Protokoll als &Stimmung ablegen...", "Protokoll &löschen"},
         {"&Messgerät...", "&Eingabegerät...", "S&prache..."},
         {"Neu", "Öffnen", "Speichern", "Seitenansicht", "|", "Tonskala", "Protokolldaten", "|",
          "Index"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        start({"Quiet"}, nullptr, c.language);
        EXPECT_EQ(menuTitles(), c.titles);
        EXPECT_EQ(menuItems("ProtocolMenu"), c.protocol);
        EXPECT_EQ(menuItems("SettingsMenu"), c.settings);
        std::vector<std::string> tips;
        for (QAction* action : frame().toolBar()->actions())
            tips.push_back(action->isSeparator() ? "|" : action->toolTip().toStdString());
        EXPECT_EQ(tips, c.toolTips);
        // Alt and one letter reach every menu and every item of these menus.
        for (const std::vector<std::string>& texts : {c.titles, c.protocol, c.settings}) {
            std::vector<QChar> letters;
            for (const std::string& text : texts) {
                const QString shown = QString::fromStdString(text);
                const qsizetype amp = shown.indexOf(QLatin1Char('&'));
                ASSERT_GE(amp, 0) << text;
                letters.push_back(shown.at(amp + 1).toLower());
            }
            std::sort(letters.begin(), letters.end());
            EXPECT_EQ(std::adjacent_find(letters.begin(), letters.end()), letters.end())
                << texts.front() << "...: two items share a mnemonic";
        }
        stop();
    }
    start();
    const std::pair<int, const char*> prompts[] = {
        {ID_PROTOCOL_PROPERTIES, "Open the properties dialog"},
        {ID_TUNE_SCALE, "Open the scale dialog"},
        {ID_SETTINGS_LANGUAGE, "Open the language dialog"},
        {ID_SETTINGS_INPUT_DEVICE, "Open the input device dialog"},
        {ID_SETTINGS_MEASUREMENT, "Open the measurement settings dialog"},
    };
    for (const auto& [id, prompt] : prompts)
        EXPECT_EQ(frame().action(id)->statusTip().toStdString(), prompt) << id;
}

} // namespace
} // namespace tonvela
