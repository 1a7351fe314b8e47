#include "app/dialogs/ScaleDialog.h"

#include "app/dialogs/DialogDataExchange.h"
#include "app/dialogs/DialogSupport.h"
#include "resources/StringIds.h"
#include "runtime/NumberText.h"
#include "tuning/ScaleLimits.h"
#include "tuning/ToneScaleCollection.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tonvela {

namespace {

QString number(double value, int decimals) {
    return QString::fromStdString(NumberText::fixed(value, decimals));
}

} // namespace

ScaleDialog::ScaleDialog(const ToneScaleCollection& scales, QWidget* parent)
    : QDialog(parent), scales(scales) {
    setObjectName(QStringLiteral("ScaleDialog"));
    setWindowTitle(dialogText(IDS_SCALE_TITLE));

    auto* group = new QGroupBox(dialogText(IDS_SCALE_GROUP), this);
    scaleList = new QComboBox(group);
    identify(scaleList, 1001, dialogText(IDS_SCALE_TEMPERAMENT));
    scaleList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    keynoteList = new QComboBox(group);
    identify(keynoteList, 1053, dialogText(IDS_SCALE_KEYNOTE));
    pitchEdit = numberEdit(1002, dialogText(IDS_SCALE_PITCH), group);
    calibrationEdit = numberEdit(1004, dialogText(IDS_SCALE_CALIBRATION), group);
    stretchEdit = numberEdit(1003, dialogText(IDS_SCALE_STRETCH), group);

    auto* grid = new QGridLayout(group);
    grid->addWidget(scaleList, 0, 0, 1, 3);
    const struct {
        QWidget* control;
        int label;
        int unit;
    } rows[] = {
        {keynoteList, IDS_SCALE_KEYNOTE, 0},
        {pitchEdit, IDS_SCALE_PITCH, IDS_DLG_HERTZ},
        {calibrationEdit, IDS_SCALE_CALIBRATION, IDS_DLG_CENT},
        {stretchEdit, IDS_SCALE_STRETCH, IDS_DLG_CENT},
    };
    int row = 1;
    for (const auto& r : rows) {
        grid->addWidget(labelFor(r.control, dialogText(r.label), group), row, 0);
        grid->addWidget(r.control, row, 1);
        if (r.unit)
            grid->addWidget(new QLabel(dialogText(r.unit), group), row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Opening: the fields from the scale settings, the lists filled, then the
    // controls loaded.
    standardPitch = scales.getStandardPitch();
    octaveStretch = scales.getOctaveStretch();
    calibration = scales.getCalibration();
    scaleIndex = scales.getCurrentIndex();
    keynote = scales.getKeynote();
    for (int i = 0; i < scales.getScaleCount(); ++i)
        scaleList->addItem(QString::fromStdString(scales.getScale(i)->getName()));
    if (scaleIndex != -1)
        scaleList->setCurrentIndex(scaleIndex);
    for (int i = 0; i < 12; ++i)
        keynoteList->addItem(QString::fromStdString(scales.getKeynoteName(i)));
    keynoteList->setCurrentIndex(keynote);
    showStretchOf(scaleList->currentIndex());
    connect(scaleList, &QComboBox::currentIndexChanged, this, &ScaleDialog::showStretchOf);
    pitchEdit->setText(number(standardPitch, 1));
    calibrationEdit->setText(number(calibration, 3));
    stretchEdit->setText(number(octaveStretch, 3));
}

void ScaleDialog::showStretchOf(int index) {
    stretchEdit->setEnabled(false);
    if (index >= 0 && index < scales.getScaleCount())
        stretchEdit->setText(number(scales.getScale(index)->getOctaveStretch(), 3));
}

void ScaleDialog::accept() {
    DialogDataExchange exchange(this);
    float stretch = octaveStretch;
    float pitch = standardPitch;
    float cents = calibration;
    if (!exchange.readFloat(stretchEdit, stretch) ||
        !exchange.readFloat(pitchEdit, pitch, MIN_STANDARD_PITCH, MAX_STANDARD_PITCH) ||
        !exchange.readFloat(calibrationEdit, cents, -MAX_CALIBRATION, MAX_CALIBRATION))
        return;
    scaleIndex = scaleList->currentIndex();
    keynote = keynoteList->currentIndex();
    octaveStretch = stretch;
    standardPitch = pitch;
    calibration = cents;
    QDialog::accept();
}

} // namespace tonvela
