#include "app/dialogs/MeasurementSettingsDialog.h"

#include "app/dialogs/DialogDataExchange.h"
#include "app/dialogs/SettingsDialogIds.h"
#include "app/dialogs/SettingsDialogSupport.h"
#include "resources/StringIds.h"
#include "runtime/NumberText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tonvela {

namespace {

QRadioButton* addRadio(QButtonGroup* group, QLayout* layout, int textId, int controlId, int value) {
    auto* button = new QRadioButton(dialogText(textId));
    identify(button, controlId, button->text());
    group->addButton(button, value);
    layout->addWidget(button);
    return button;
}

// Checks the button of value; a value without a button leaves all unchecked.
void check(QButtonGroup* group, int value) {
    if (QAbstractButton* button = group->button(value))
        button->setChecked(true);
}

// An Off / On pair in a group box of its own.
QGroupBox* offOnGroup(QDialog* dialog, const char* name, int titleId, QButtonGroup*& group,
                      int offId, int onId) {
    auto* box = new QGroupBox(dialogText(titleId));
    box->setObjectName(QLatin1String(name));
    auto* row = new QHBoxLayout(box);
    group = new QButtonGroup(dialog);
    addRadio(group, row, IDS_OFF, offId, 0);
    addRadio(group, row, IDS_ON, onId, 1);
    row->addStretch(1);
    return box;
}

QLineEdit* calibrationEdit(QGridLayout* grid, int row, int textId, int controlId, float value) {
    auto* label = new QLabel(dialogText(textId));
    auto* edit = new QLineEdit(QString::fromStdString(NumberText::fixed(value, 3)));
    identify(edit, controlId, label->text());
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

MeasurementSettingsDialog::MeasurementSettingsDialog(const MeasurementSettings& settings,
                                                     QWidget* parent)
    : QDialog(parent), settings(settings) {
    setObjectName(QStringLiteral("MeasurementSettingsDialog"));
    setWindowTitle(dialogText(IDS_MEASUREMENT_TITLE));

    auto* harmonicBox = new QGroupBox(dialogText(IDS_HARMONICS_GROUP));
    auto* harmonicColumn = new QVBoxLayout(harmonicBox);
    for (int h = 0; h < MeasurementSettings::HarmonicCount; ++h) {
        harmonics[h] = new QCheckBox(dialogText(IDS_HARMONIC_FIRST + h));
        identify(harmonics[h], IDC_HARMONIC_1 + h, harmonics[h]->text());
        harmonics[h]->setChecked(settings.harmonics[h]);
        harmonicColumn->addWidget(harmonics[h]);
    }
    harmonicColumn->addStretch(1);

    auto* modeBox = new QGroupBox(dialogText(IDS_MODE_GROUP));
    modeBox->setObjectName(QStringLiteral("Mode"));
    auto* modeColumn = new QVBoxLayout(modeBox);
    modes = new QButtonGroup(this);
    addRadio(modes, modeColumn, IDS_MODE_STANDARD, IDC_MODE_STANDARD,
             MeasurementSettings::Standard);
    addRadio(modes, modeColumn, IDS_MODE_ACCURATE, IDC_MODE_ACCURATE,
             MeasurementSettings::Accurate);
    addRadio(modes, modeColumn, IDS_MODE_MOST_ACCURATE, IDC_MODE_MOST_ACCURATE,
             MeasurementSettings::MostAccurate);
    check(modes, settings.accuracy);

    auto* gageBox = new QGroupBox(dialogText(IDS_GAGE_GROUP));
    auto* gageGrid = new QGridLayout(gageBox);
    calibIn = calibrationEdit(gageGrid, 0, IDS_WAVE_IN, IDC_CALIB_IN, settings.calibIn);
    calibOut = calibrationEdit(gageGrid, 1, IDS_WAVE_OUT, IDC_CALIB_OUT, settings.calibOut);
    gageGrid->setColumnStretch(1, 1);

    QGroupBox* swapBox = offOnGroup(this, "AutoSwap", IDS_AUTO_SWAP_GROUP, autoSwap,
                                    IDC_AUTO_SWAP_OFF, IDC_AUTO_SWAP_ON);
    check(autoSwap, settings.autoSwap);
    QGroupBox* stopBox = offOnGroup(this, "AutoMeasure", IDS_AUTO_MEASURE_GROUP, autoMeasure,
                                    IDC_AUTO_MEASURE_OFF, IDC_AUTO_MEASURE_ON);
    check(autoMeasure, settings.autoMeasure);

    auto* right = new QVBoxLayout;
    right->addWidget(modeBox);
    right->addWidget(gageBox);
    right->addWidget(swapBox);
    right->addWidget(stopBox);
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addWidget(harmonicBox);
    columns->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MeasurementSettingsDialog::accept() {
    if (readBack())
        QDialog::accept();
}

bool MeasurementSettingsDialog::readBack() {
    // Read into a copy, so that a refused number changes nothing.
    MeasurementSettings read = settings;
    for (int h = 0; h < MeasurementSettings::HarmonicCount; ++h)
        read.harmonics[h] = harmonics[h]->isChecked();
    if (modes->checkedId() >= 0)
        read.accuracy = modes->checkedId();
    DialogDataExchange exchange(this);
    if (!exchange.readFloat(calibIn, read.calibIn, CalibMin, CalibMax))
        return false;
    if (!exchange.readFloat(calibOut, read.calibOut, CalibMin, CalibMax))
        return false;
    if (autoSwap->checkedId() >= 0)
        read.autoSwap = autoSwap->checkedId();
    if (autoMeasure->checkedId() >= 0)
        read.autoMeasure = autoMeasure->checkedId();
    settings = read;
    return true;
}

} // namespace tonvela
