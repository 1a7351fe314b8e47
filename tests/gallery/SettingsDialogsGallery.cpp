// The settings dialogs as they open: measurement settings, input device
// (with a saved device that has gone), protocol properties and language.
#include "gallery/Gallery.h"
#include "platform/gui/WindowTesting.h"

#include "app/dialogs/InputDeviceDialog.h"
#include "app/dialogs/LanguageDialog.h"
#include "app/dialogs/MeasurementSettingsDialog.h"
#include "app/dialogs/PropertiesDialog.h"
#include "audio/SoundDeviceManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/WindowSystem.h"
#include "platform/store/Settings.h"

#include <QDialog>
#include <QPixmap>

#include <cstdio>
#include <memory>

namespace tonvela::gallery {

namespace {

void saveDialog(Gallery& gallery, QDialog& dialog, const std::string& name) {
    dialog.show();
    processPostedMessages();
    const std::string file = gallery.path(name + ".png");
    if (!dialog.grab().save(QString::fromStdString(file)))
        std::fprintf(stderr, "tonvela-gallery: cannot write %s\n", file.c_str());
    dialog.hide();
}

} // namespace

TONVELA_GALLERY_PAGE(dialog_measurement) {
    MeasurementSettings settings;
    settings.harmonics[MeasurementSettings::Harmonic2_25] = false;
    settings.accuracy = MeasurementSettings::Accurate;
    settings.calibIn = 2.5f;
    settings.calibOut = -1.25f;
    MeasurementSettingsDialog dialog(settings);
    saveDialog(gallery, dialog, "dialog-measurement");
}

TONVELA_GALLERY_PAGE(dialog_input_device) {
    Settings::openRoot("Tonvela");
    writeProfileString("settings", "device", "USB Audio CODEC: - (hw:2,0)");
    auto backend = std::make_unique<VirtualAudioBackend>();
    for (const char* name : {"HDA Intel PCH: ALC892 Analog (hw:0,0)", "pulse", "default"}) {
        VirtualInputDevice device;
        device.name = name;
        device.generator = [](double) { return 0.0; };
        backend->addInputDevice(device);
    }
    installAudioBackend(std::move(backend));
    SoundDeviceManager::destroyInstance();
    {
        SoundDeviceManager& manager = SoundDeviceManager::getInstance();
        InputDeviceDialog dialog(manager, getProfileString("settings", "device"));
        saveDialog(gallery, dialog, "dialog-input-device");
    }
    SoundDeviceManager::destroyInstance();
    installAudioBackend(nullptr);
}

TONVELA_GALLERY_PAGE(dialog_properties) {
    ProtocolTexts texts;
    texts.customer = "Parish of St. Mary";
    texts.instrument = "Organ, two manuals and pedal";
    texts.location = "Main church, west gallery";
    texts.remarks = "Reeds tuned at 18 °C.\nPedal trumpet C2 to be revoiced; the swell box "
                    "shutters stick and should be looked at before the next tuning.";
    texts.author = "J. Tuner";
    PropertiesDialog dialog(texts);
    saveDialog(gallery, dialog, "dialog-properties");
}

TONVELA_GALLERY_PAGE(dialog_language) {
    LanguageDialog dialog(gallery.german() ? "de" : "en");
    saveDialog(gallery, dialog, "dialog-language");
}

} // namespace tonvela::gallery
