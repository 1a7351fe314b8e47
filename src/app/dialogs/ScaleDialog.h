#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace tonvela {

class ToneScaleCollection;

// Chooses the temperament, its keynote, the standard pitch and the
// calibration. Shows the scale settings it is given and changes nothing
// itself: after OK the caller applies the fields.
class ScaleDialog : public QDialog {
    Q_OBJECT
public:
    ScaleDialog(const ToneScaleCollection& scales, QWidget* parent);

    float standardPitch = 440.0f; // Hz
    float octaveStretch = 0.0f;   // cents; shown only
    int scaleIndex = -1;          // position in the list of temperaments
    int keynote = 0;              // 0..11
    float calibration = 0.0f;     // cents

    // Reads and checks the controls; stays open on a bad number.
    void accept() override;

private:
    void showStretchOf(int index);

    const ToneScaleCollection& scales;
    QComboBox* scaleList = nullptr;
    QComboBox* keynoteList = nullptr;
    QLineEdit* pitchEdit = nullptr;
    QLineEdit* calibrationEdit = nullptr;
    QLineEdit* stretchEdit = nullptr;
};

} // namespace tonvela
