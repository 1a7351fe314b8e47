#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;

namespace tonvela {

class SoundDevice;
class SoundDeviceManager;

// Chooses the sound input from the manager's devices, listed by name in
// alphabetical order. Preselects the only device, or the manager's current
// one, or the first; says so when the device chosen before is gone.
class InputDeviceDialog : public QDialog {
    Q_OBJECT
public:
    // savedName: the stored choice ("settings"/"device"), to tell the user
    // when that device is not present any more.
    InputDeviceDialog(const SoundDeviceManager& manager, const std::string& savedName,
                      QWidget* parent = nullptr);

    // After OK: the chosen list index, −1 for none, and its device or null.
    int getSelectedIndex() const { return selectedIndex; }
    const SoundDevice* getSelectedDevice() const { return selectedDevice; }
    // Whether the dialog tells that the saved device is missing.
    bool showsMissingDevice() const;

    void accept() override;

private:
    const SoundDeviceManager& manager;
    QComboBox* list = nullptr;
    QLabel* missing = nullptr;
    int selectedIndex = -1;
    const SoundDevice* selectedDevice = nullptr;
};

} // namespace tonvela
