#include "app/dialogs/MetronomeDialog.h"

#include "app/dialogs/DialogControls.h"
#include "resources/StringIds.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tonvela {

MetronomeDialog::MetronomeDialog(FrequencySynth& synth, QWidget* parent)
    : QDialog(parent), metronome(synth) {
    setObjectName(QStringLiteral("MetronomeDialog"));
    setWindowTitle(dialogText(IDS_METRONOME_TITLE));

    auto* group = new QGroupBox(dialogText(IDS_METRONOME_GROUP), this);
    auto* grid = new QGridLayout(group);
    auto* radios = new QButtonGroup(this);
    off = new QRadioButton(dialogText(IDS_METRONOME_OFF), group);
    identify(off, IDC_OFF, off->text());
    off->setChecked(true);
    radios->addButton(off);
    grid->addWidget(off, 0, 0);
    for (int i = 0; i < Metronome::PresetCount; ++i) {
        const QString label = dialogText(IDS_METER_ROW).arg(i + 1);
        meters[i] = new QRadioButton(label, group);
        identify(meters[i], IDC_METER[i], label);
        radios->addButton(meters[i]);
        tempos[i] = numberEdit(group, IDC_TEMPO[i], label);
        grid->addWidget(meters[i], i + 1, 0);
        grid->addWidget(tempos[i], i + 1, 1);
        grid->addWidget(new QLabel(dialogText(IDS_BEATS_PER_MINUTE), group), i + 1, 2);
        connect(tempos[i], &QLineEdit::textChanged, this, &MetronomeDialog::updateRate);
    }
    connect(radios, &QButtonGroup::buttonClicked, this, &MetronomeDialog::updateRate);

    QPushButton* close = layToolWindow(this, group);
    close->setDefault(true);
}

void MetronomeDialog::updateRate() {
    std::array<Metronome::Preset, Metronome::PresetCount> presets;
    for (int i = 0; i < Metronome::PresetCount; ++i)
        presets[i] = {meters[i]->isChecked(), tempos[i]->text().toStdString()};
    metronome.update(presets);
}

} // namespace tonvela
