#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tonvela {

// Estimates for an organ how many cents its pitch moves between the climate
// it is tuned in and the climate it is played in; the user may enter the
// result as the calibration. Modeless; Close only hides it and the fields
// keep their texts. Changes nothing in the program.
class CalibrationCalculatorDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_INSTRUMENT = 1103;
    static constexpr int IDC_TUNE_TEMPERATURE = 1098;
    static constexpr int IDC_PLAY_TEMPERATURE = 1099;
    static constexpr int IDC_CELSIUS = 1034;
    static constexpr int IDC_FAHRENHEIT = 1095;
    static constexpr int IDC_TUNE_HUMIDITY = 1100;
    static constexpr int IDC_PLAY_HUMIDITY = 1101;
    static constexpr int IDC_CALIBRATION = 1004;
    static constexpr int IDC_CALCULATE = 1070;
    static constexpr int IDC_CLOSE = 1;

    explicit CalibrationCalculatorDialog(QWidget* parent);

private:
    void calculate();

    QComboBox* instrument = nullptr;
    QLineEdit* tuneTemperature = nullptr;
    QLineEdit* playTemperature = nullptr;
    QRadioButton* celsius = nullptr;
    QRadioButton* fahrenheit = nullptr;
    QLineEdit* tuneHumidity = nullptr;
    QLineEdit* playHumidity = nullptr;
    QLineEdit* calibration = nullptr;
};

} // namespace tonvela
