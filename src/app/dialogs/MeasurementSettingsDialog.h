#pragma once

#include "state/MeasurementSettings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace tonvela {

// The measurement settings: harmonics, mode, the calibration of the sound
// input and output, automatic tone detection and measurement stop. Works on
// its own copy; OK reads the controls back and keeps the dialog open on a
// number it cannot take.
class MeasurementSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Calibrations the dialog takes, in cents.
    static constexpr float CalibMin = -100.0f;
    static constexpr float CalibMax = 100.0f;

    explicit MeasurementSettingsDialog(const MeasurementSettings& settings,
                                       QWidget* parent = nullptr);

    // The settings as confirmed (as given until OK succeeds).
    const MeasurementSettings& getSettings() const { return settings; }

    void accept() override;

private:
    bool readBack();

    MeasurementSettings settings;
    QCheckBox* harmonics[MeasurementSettings::HarmonicCount] = {};
    QButtonGroup* modes = nullptr;
    QButtonGroup* autoSwap = nullptr;
    QButtonGroup* autoMeasure = nullptr;
    QLineEdit* calibIn = nullptr;
    QLineEdit* calibOut = nullptr;
};

} // namespace tonvela
