#pragma once

#include "tools/Metronome.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QRadioButton;

namespace tonvela {

class FrequencySynth;

// The metronome: Off or one of three preset tempos, ticking through the
// tuner panel's synthesizer. Modeless: Close only hides it and the clicks go
// on.
class MetronomeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_OFF = 1105;
    static constexpr std::array<int, Metronome::PresetCount> IDC_METER = {1106, 1034, 1109};
    static constexpr std::array<int, Metronome::PresetCount> IDC_TEMPO = {1107, 1108, 1110};
    static constexpr int IDC_CLOSE = 1;

    MetronomeDialog(FrequencySynth& synth, QWidget* parent);

private:
    // Sets the click rate from the checked preset, on every click of a
    // radio button and every change of a tempo text.
    void updateRate();

    Metronome metronome;
    QRadioButton* off = nullptr;
    std::array<QRadioButton*, Metronome::PresetCount> meters{};
    std::array<QLineEdit*, Metronome::PresetCount> tempos{};
};

} // namespace tonvela
