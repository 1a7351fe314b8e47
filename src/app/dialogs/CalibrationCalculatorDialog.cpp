#include "app/dialogs/CalibrationCalculatorDialog.h"

#include "app/dialogs/DialogControls.h"
#include "resources/StringIds.h"
#include "tools/CalibrationCalculation.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tonvela {

CalibrationCalculatorDialog::CalibrationCalculatorDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CalibrationCalculatorDialog"));
    setWindowTitle(dialogText(IDS_CALIB_CALC_TITLE));

    auto* group = new QGroupBox(dialogText(IDS_CALIB_CALC_GROUP), this);
    auto* grid = new QGridLayout(group);

    const QString instrumentText = dialogText(IDS_INSTRUMENT);
    auto* instrumentLabel = new QLabel(instrumentText, group);
    instrument = new QComboBox(group);
    identify(instrument, IDC_INSTRUMENT, instrumentText);
    instrument->addItem(dialogText(IDS_ORGAN));
    instrument->setCurrentIndex(0);
    instrumentLabel->setBuddy(instrument);
    grid->addWidget(instrumentLabel, 0, 0);
    grid->addWidget(instrument, 0, 1, 1, 2);

    const QString tune = dialogText(IDS_TUNE_COLUMN);
    const QString play = dialogText(IDS_PLAY_COLUMN);
    grid->addWidget(new QLabel(tune, group), 1, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(play, group), 1, 2, Qt::AlignHCenter);

    const QString temperature = dialogText(IDS_AIR_TEMPERATURE);
    tuneTemperature =
        numberEdit(group, IDC_TUNE_TEMPERATURE, temperature + QLatin1Char(' ') + tune);
    playTemperature =
        numberEdit(group, IDC_PLAY_TEMPERATURE, temperature + QLatin1Char(' ') + play);
    celsius = new QRadioButton(dialogText(IDS_CELSIUS), group);
    identify(celsius, IDC_CELSIUS, celsius->text());
    celsius->setChecked(true);
    fahrenheit = new QRadioButton(dialogText(IDS_FAHRENHEIT), group);
    identify(fahrenheit, IDC_FAHRENHEIT, fahrenheit->text());
    auto* units = new QHBoxLayout;
    units->addWidget(celsius);
    units->addWidget(fahrenheit);
    grid->addWidget(new QLabel(temperature, group), 2, 0);
    grid->addWidget(tuneTemperature, 2, 1);
    grid->addWidget(playTemperature, 2, 2);
    grid->addLayout(units, 2, 3);

    const QString humidity = dialogText(IDS_AIR_HUMIDITY);
    tuneHumidity = numberEdit(group, IDC_TUNE_HUMIDITY, humidity + QLatin1Char(' ') + tune);
    playHumidity = numberEdit(group, IDC_PLAY_HUMIDITY, humidity + QLatin1Char(' ') + play);
    grid->addWidget(new QLabel(humidity, group), 3, 0);
    grid->addWidget(tuneHumidity, 3, 1);
    grid->addWidget(playHumidity, 3, 2);
    grid->addWidget(new QLabel(dialogText(IDS_PERCENT), group), 3, 3);

    const QString result = dialogText(IDS_CALIBRATION_RESULT);
    calibration = numberEdit(group, IDC_CALIBRATION, result);
    calibration->setReadOnly(true);
    grid->addWidget(new QLabel(result, group), 4, 0);
    grid->addWidget(calibration, 4, 1);
    grid->addWidget(new QLabel(dialogText(IDS_CENT_UNIT), group), 4, 2);

    auto* calculateButton = new QPushButton(dialogText(IDS_CALCULATE), group);
    identify(calculateButton, IDC_CALCULATE, calculateButton->text());
    calculateButton->setDefault(true);
    connect(calculateButton, &QPushButton::clicked, this, &CalibrationCalculatorDialog::calculate);
    grid->addWidget(calculateButton, 5, 1);

    QPushButton* close = layToolWindow(this, group);
    close->setAutoDefault(false);
}

void CalibrationCalculatorDialog::calculate() {
    const CalibrationCalculation calculation{
        tuneTemperature->text().toStdString(), playTemperature->text().toStdString(),
        fahrenheit->isChecked(), tuneHumidity->text().toStdString(),
        playHumidity->text().toStdString()};
    calibration->setText(QString::fromStdString(calculation.calculate()));
}

} // namespace tonvela
