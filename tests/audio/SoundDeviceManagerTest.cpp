#include "audio/SoundDeviceManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/store/Settings.h"
#include "resources/Language.h"
#include "state/DataStructure.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using namespace tonvela;

namespace {

class SoundDeviceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        config = std::make_unique<test::TempDir>(); // a fresh store for every case
        setenv("TONVELA_CONFIG_DIR", config->path().c_str(), 1);
        ASSERT_EQ(Settings::openRoot("Tonvela"), 0);
        overrideLanguage(Language::English); // the reasons are checked in English
        SoundDeviceManager::destroyInstance();
        DataStructure::destroyInstance();
        auto owned = std::make_unique<VirtualAudioBackend>();
        backend = owned.get();
        installAudioBackend(std::move(owned));
    }
    void TearDown() override {
        SoundDeviceManager::destroyInstance();
        DataStructure::destroyInstance();
        installAudioBackend(nullptr);
        resetLanguage();
    }

    void addDevice(const std::string& name, unsigned formats = MONO_FORMATS,
                   int capabilitiesResult = AUDIO_OK) {
        VirtualInputDevice device;
        device.name = name;
        device.formats = formats;
        device.capabilitiesResult = capabilitiesResult;
        device.generator = [](double) { return 0.0; };
        backend->addInputDevice(device);
    }
    std::string stored() { return getProfileString("settings", "device", "<none>"); }

    std::unique_ptr<test::TempDir> config;
    VirtualAudioBackend* backend = nullptr;
};

TEST_F(SoundDeviceManagerTest, SingleUsableDeviceIsSelectedWhateverIsStored) {
    writeProfileString("settings", "device", "Other Card");
    addDevice("Only Card");
    SoundDeviceManager& manager = SoundDeviceManager::getInstance();
    ASSERT_EQ(manager.getDeviceCount(), 1);
    EXPECT_EQ(manager.getSelectedDevice(), manager.getDevice(0));
    EXPECT_EQ(DataStructure::getInstance().getInputDevice(), 0);
    EXPECT_EQ(stored(), "Other Card"); // nothing written
}

TEST_F(SoundDeviceManagerTest, StoredNameSelectsAmongSeveral) {
    struct Case {
        const char* stored; // nullptr: no stored value
        int expectedIndex;  // into the usable devices, -1 none
    };
    const Case cases[] = {
        {"Second", 1}, {"Twin", 2},   {"second", -1}, // exact, case-sensitive
        {"null", -1},  {nullptr, -1}, {"Gone Card", -1},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.stored)
            writeProfileString("settings", "device", c.stored);
        addDevice("Broken", MONO_FORMATS, AUDIO_NO_DRIVER); // id 0, not usable
        addDevice("First");                                 // id 1
        addDevice("Second");                                // id 2
        addDevice("Twin");                                  // id 3
        addDevice("Twin");                                  // id 4
        SoundDeviceManager& manager = SoundDeviceManager::getInstance();
        ASSERT_EQ(manager.getDeviceCount(), 4);
        const SoundDevice* expected = manager.getDevice(c.expectedIndex);
        EXPECT_EQ(manager.getSelectedDevice(), expected) << (c.stored ? c.stored : "(none)");
        EXPECT_EQ(DataStructure::getInstance().getInputDevice(),
                  expected ? expected->getWaveInId() : -1);
        EXPECT_EQ(manager.getErrorText(), "No driver available. ");
        TearDown();
    }
}

TEST_F(SoundDeviceManagerTest, ChoosingStoresNameOrNull) {
    addDevice("First");
    addDevice("Second");
    SoundDeviceManager& manager = SoundDeviceManager::getInstance();
    manager.selectDevice(manager.getDevice(1));
    EXPECT_EQ(stored(), "Second");
    EXPECT_EQ(DataStructure::getInstance().getInputDevice(), 1);

    manager.selectDevice(nullptr);
    EXPECT_EQ(stored(), "null");
    EXPECT_EQ(manager.getSelectedDevice(), nullptr);
    EXPECT_EQ(DataStructure::getInstance().getInputDevice(), -1);

    // A device that is not the manager's selects nothing, stores nothing and
    // leaves the central state alone.
    manager.selectDevice(manager.getDevice(0));
    const SoundDevice stranger(0, "First");
    manager.selectDevice(&stranger);
    EXPECT_EQ(manager.getSelectedDevice(), nullptr);
    EXPECT_EQ(stored(), "First");
    EXPECT_EQ(DataStructure::getInstance().getInputDevice(), 0);
}

TEST_F(SoundDeviceManagerTest, NoUsableDeviceCollectsReasons) {
    addDevice("A", MONO_FORMATS, AUDIO_BAD_DEVICE_ID);
    addDevice("B", MONO_FORMATS, AUDIO_NO_DRIVER);
    addDevice("C", MONO_FORMATS, AUDIO_NO_MEMORY);
    addDevice("D", MONO_FORMATS, AUDIO_ERROR);
    addDevice("E", 0x2AA); // stereo formats only
    SoundDeviceManager& manager = SoundDeviceManager::getInstance();
    EXPECT_EQ(manager.getDeviceCount(), 0);
    EXPECT_EQ(manager.getSelectedDevice(), nullptr);
    EXPECT_EQ(manager.getErrorText(),
              "No input device available. Bad device id. No driver available. Not enough memory. "
              "Unknown reason. Available device has not sufficient capabilities. ");
    EXPECT_EQ(DataStructure::getInstance().getInputDevice(), -1);
}

TEST_F(SoundDeviceManagerTest, ReasonsInTheUserInterfaceLanguage) {
    overrideLanguage(Language::German);
    addDevice("A", MONO_FORMATS, AUDIO_BAD_DEVICE_ID);
    addDevice("B", MONO_FORMATS, AUDIO_NO_DRIVER);
    addDevice("C", MONO_FORMATS, AUDIO_NO_MEMORY);
    addDevice("D", MONO_FORMATS, AUDIO_ERROR);
    addDevice("E", 0x2AA); // stereo formats only
    EXPECT_EQ(SoundDeviceManager::getInstance().getErrorText(),
              "Kein Eingabeger\xC3\xA4t verf\xC3\xBCgbar. Ung\xC3\xBCltige Ger\xC3\xA4tekennung. "
              "Kein Treiber verf\xC3\xBCgbar. Nicht gen\xC3\xBCgend Arbeitsspeicher. Unbekannte "
              "Ursache. Ein vorhandenes Ger\xC3\xA4t bietet nicht die n\xC3\xB6tigen "
              "F\xC3\xA4higkeiten. ");
}

TEST_F(SoundDeviceManagerTest, MachineWithoutDevices) {
    SoundDeviceManager& manager = SoundDeviceManager::getInstance();
    EXPECT_EQ(manager.getDeviceCount(), 0);
    EXPECT_EQ(manager.getErrorText(), "No input device available. ");
    EXPECT_EQ(DataStructure::getInstance().getInputDevice(), -1);
}

} // namespace
