#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

namespace tonvela {

class FrequencySynth;

// Up to four steady tones of the user's own frequencies on the tuner
// panel's synthesizer, for example to tune by beats. Modeless: Close only
// hides it, and its tones go on sounding until their rows are unchecked or
// changed.
class FreqSynthDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowCount = 4;
    static constexpr std::array<int, RowCount> IDC_TONE_CHECK = {1093, 1095, 1097, 1098};
    static constexpr std::array<int, RowCount> IDC_TONE_EDIT = {1092, 1094, 1096, 1099};
    static constexpr int IDC_CLOSE = 1;

    FreqSynthDialog(FrequencySynth& synth, QWidget* parent);
    ~FreqSynthDialog() override;

    // The wanted frequency of a row's text: above 15 and below 20000 Hz;
    // else 0.
    static float wantedFrequency(const QString& text);

private:
    // Brings the synthesizer's tones in line with the checked rows: a row
    // whose wanted frequency changed loses its tone (which fades out) and
    // gets a new one.
    void updateTones();

    FrequencySynth& synth;
    std::array<QCheckBox*, RowCount> checks{};
    std::array<QLineEdit*, RowCount> edits{};
    std::array<int, RowCount> toneIds{};
    std::array<float, RowCount> toneFrequencies{};
};

} // namespace tonvela
