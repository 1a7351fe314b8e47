#include "app/dialogs/FreqSynthDialog.h"

#include "app/dialogs/DialogControls.h"
#include "resources/StringIds.h"
#include "runtime/NumberText.h"
#include "tools/FrequencySynth.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace tonvela {

FreqSynthDialog::FreqSynthDialog(FrequencySynth& synth, QWidget* parent)
    : QDialog(parent), synth(synth) {
    setObjectName(QStringLiteral("FreqSynthDialog"));
    setWindowTitle(dialogText(IDS_FREQ_SYNTH_TITLE));

    auto* group = new QGroupBox(dialogText(IDS_FREQ_SYNTH_GROUP), this);
    auto* grid = new QGridLayout(group);
    for (int row = 0; row < RowCount; ++row) {
        const QString label = dialogText(IDS_TONE_ROW).arg(row + 1);
        checks[row] = new QCheckBox(label, group);
        identify(checks[row], IDC_TONE_CHECK[row], label);
        edits[row] = numberEdit(group, IDC_TONE_EDIT[row], label);
        grid->addWidget(checks[row], row, 0);
        grid->addWidget(edits[row], row, 1);
        grid->addWidget(new QLabel(dialogText(IDS_HZ), group), row, 2);

        connect(checks[row], &QCheckBox::clicked, this, &FreqSynthDialog::updateTones);
        connect(edits[row], &QLineEdit::textChanged, this, [this, row] {
            if (checks[row]->isChecked())
                updateTones();
        });
    }

    QPushButton* close = layToolWindow(this, group);
    close->setDefault(true);
}

// The panel's synthesizer is gone by now (the view deletes its tool dialogs
// after the panel), so nothing is asked of it here.
FreqSynthDialog::~FreqSynthDialog() = default;

float FreqSynthDialog::wantedFrequency(const QString& text) {
    const std::optional<double> parsed = NumberText::parseReal(text.toStdString());
    if (!parsed)
        return 0.0f;
    const float frequency = static_cast<float>(*parsed);
    return frequency > 15.0f && frequency < 20000.0f ? frequency : 0.0f;
}

void FreqSynthDialog::updateTones() {
    std::array<float, RowCount> wanted{};
    for (int row = 0; row < RowCount; ++row)
        wanted[row] = checks[row]->isChecked() ? wantedFrequency(edits[row]->text()) : 0.0f;
    for (int row = 0; row < RowCount; ++row) {
        if (toneIds[row] != 0 && wanted[row] != toneFrequencies[row]) {
            synth.removeTone(toneIds[row]);
            toneIds[row] = 0;
            toneFrequencies[row] = 0.0f;
        }
    }
    for (int row = 0; row < RowCount; ++row) {
        if (wanted[row] != toneFrequencies[row]) {
            toneIds[row] = synth.addTone(wanted[row]);
            toneFrequencies[row] = wanted[row];
        }
    }
}

} // namespace tonvela
