// The tool windows of the Tune menu on their controls, found by control id:
// the frequency synthesizer's rows and the metronome on a synthesizer that
// plays into a stepped virtual output, and the two calculators.
#include "app/dialogs/CalibrationCalculatorDialog.h"
#include "app/dialogs/CentCalculator.h"
#include "app/dialogs/FreqSynthDialog.h"
#include "app/dialogs/MetronomeDialog.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "resources/Language.h"
#include "state/FreshState.h"
#include "support/OutputSamples.h"
#include "tools/FrequencySynth.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tonvela {
namespace {

using test::frequencyOf;
using test::largestStep;
using test::peak;
using test::Samples;
constexpr int BUFFER = FrequencySynth::BUFFER_SAMPLES;

// Two buffers are in circulation: a change made after `steps` played buffers
// sounds from the start of buffer steps + 2.
constexpr std::size_t changeSoundsAt(int steps) {
    return static_cast<std::size_t>(steps + 2) * BUFFER;
}

template <typename Control> Control* control(QWidget& dialog, int id) {
    auto* found = dialog.findChild<Control*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "control " << id;
    return found;
}

void click(QWidget& dialog, int id) {
    QAbstractButton* button = control<QAbstractButton>(dialog, id);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void setText(QWidget& dialog, int id, const char* text) {
    control<QLineEdit>(dialog, id)->setText(QString::fromUtf8(text));
}

std::string textOf(QWidget& dialog, int id) {
    return control<QLineEdit>(dialog, id)->text().toStdString();
}

// Where each click begins: the first sample of a run of +25600 after a
// sample that is not.
std::vector<std::size_t> clickStarts(const Samples& s) {
    std::vector<std::size_t> starts;
    for (std::size_t n = 0; n < s.size(); ++n)
        if (s[n] == FrequencySynth::CLICK_LEVEL && (n == 0 || s[n - 1] != s[n]) &&
            (starts.empty() || n - starts.back() >= 100))
            starts.push_back(n);
    return starts;
}

class ToolDialogsTest : public test::FreshState {
protected:
    void SetUp() override {
        FreshState::SetUp();
        auto owned = std::make_unique<VirtualAudioBackend>();
        devices = owned.get();
        devices->setOutputPacing(VirtualAudioBackend::OutputPacing::Stepped);
        installAudioBackend(std::move(owned));
    }
    void TearDown() override {
        installAudioBackend(nullptr);
        resetLanguage();
        FreshState::TearDown();
    }

    Samples play(int buffers) {
        for (int i = 0; i < buffers; ++i)
            EXPECT_TRUE(devices->stepOutput()) << "buffer " << i;
        return devices->outputSamples();
    }

    // The tones that still sound or fade in (not fading out).
    static std::vector<SynthTone> sounding(FrequencySynth& synth) {
        std::vector<SynthTone> tones = synth.getTones();
        tones.erase(std::remove_if(tones.begin(), tones.end(),
                                   [](const SynthTone& t) { return t.envelope >= 2; }),
                    tones.end());
        return tones;
    }

    VirtualAudioBackend* devices = nullptr;
};

TEST_F(ToolDialogsTest, SynthesizerRowAcceptsMoreThan15AndLessThan20000Hz) {
    const struct {
        const char* text;
        float frequency; // 0: no tone
    } cases[] = {
        {"15", 0.0f},       {"20000", 0.0f}, {"15.5", 15.5f}, {"19999", 19999.0f},
        {"440 Hz", 440.0f}, {"", 0.0f},      {"tone", 0.0f},  {"-440", 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FrequencySynth synth;
        FreqSynthDialog dialog(synth, nullptr);
        dialog.show();
        setText(dialog, FreqSynthDialog::IDC_TONE_EDIT[2], c.text);
        EXPECT_TRUE(synth.getTones().empty()) << "an unchecked row sounds nothing";
        click(dialog, FreqSynthDialog::IDC_TONE_CHECK[2]);
        const std::vector<SynthTone> tones = synth.getTones();
        if (c.frequency == 0.0f) {
            EXPECT_TRUE(tones.empty());
        } else {
            ASSERT_EQ(tones.size(), 1u);
            EXPECT_EQ(tones[0].frequency, c.frequency);
        }
    }
}

TEST_F(ToolDialogsTest, SynthesizerRetunesACheckedRowWithItsFade) {
    FrequencySynth synth;
    FreqSynthDialog dialog(synth, nullptr);
    dialog.show();
    synth.resume();
    setText(dialog, 1092, "440");
    click(dialog, 1093);
    ASSERT_EQ(synth.getTones().size(), 1u);
    const int first = synth.getTones()[0].id;
    play(6);

    setText(dialog, 1092, "442");
    const std::vector<SynthTone> tones = synth.getTones();
    ASSERT_EQ(tones.size(), 2u);
    EXPECT_EQ(tones[0].id, first);
    EXPECT_EQ(tones[0].frequency, 440.0f);
    EXPECT_EQ(tones[0].envelope, 2) << "the 440 Hz tone fades out";
    EXPECT_NE(tones[1].id, first);
    EXPECT_EQ(tones[1].frequency, 442.0f);

    const Samples s = play(6);
    const std::size_t change = changeSoundsAt(6);
    EXPECT_NEAR(frequencyOf(s, change - 2 * BUFFER, change), 440.0, 0.05);
    EXPECT_NEAR(frequencyOf(s, change + 1000, s.size()), 442.0, 0.05);
    // A sine of peak 5000 near 440 Hz moves at most 315 per sample, two
    // overlapping ones twice that: the old tone fades out while the new one
    // fades in, and nothing is cut off.
    EXPECT_LT(largestStep(s, change - 100, change + 1100), 640);
    EXPECT_GE(peak(s, change + 1000, s.size()), 4995);
    EXPECT_EQ(synth.getTones().size(), 1u) << "the faded tone is gone";
}

TEST_F(ToolDialogsTest, SynthesizerUncheckStopsAndRecheckStartsANewToneHiddenKeepsSounding) {
    FrequencySynth synth;
    FreqSynthDialog dialog(synth, nullptr);
    dialog.show();
    setText(dialog, 1094, "300");
    click(dialog, 1095);
    ASSERT_EQ(sounding(synth).size(), 1u);
    const int first = sounding(synth)[0].id;

    click(dialog, 1095);
    EXPECT_TRUE(sounding(synth).empty());
    // The same text after unchecking starts a new tone.
    click(dialog, 1095);
    ASSERT_EQ(sounding(synth).size(), 1u);
    EXPECT_NE(sounding(synth)[0].id, first);

    // Four rows sound at once; Close only hides the dialog.
    const char* texts[] = {"110", "220", "330"};
    const int rows[] = {0, 2, 3};
    for (int i = 0; i < 3; ++i) {
        setText(dialog, FreqSynthDialog::IDC_TONE_EDIT[rows[i]], texts[i]);
        click(dialog, FreqSynthDialog::IDC_TONE_CHECK[rows[i]]);
    }
    EXPECT_EQ(sounding(synth).size(), 4u);
    click(dialog, FreqSynthDialog::IDC_CLOSE);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(sounding(synth).size(), 4u);
    EXPECT_EQ(textOf(dialog, 1094), "300");
}

TEST_F(ToolDialogsTest, MetronomeClicksOneBeatApart) {
    const struct {
        const char* tempo;
        std::size_t period;
    } cases[] = {{"60", 44100}, {"120", 22050}, {"137", 19313}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tempo);
        const std::size_t before = devices->outputSamples().size();
        FrequencySynth synth;
        MetronomeDialog dialog(synth, nullptr);
        dialog.show();
        synth.resume();
        // The tempo of an unchecked preset changes nothing until it is
        // chosen.
        QTest::keyClicks(control<QLineEdit>(dialog, 1107), QString::fromLatin1(c.tempo));
        EXPECT_EQ(synth.getMetronomeRate(), 0.0f);
        play(1);
        click(dialog, 1106);
        Samples s = play(33);
        s.erase(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(before));
        const std::vector<std::size_t> starts = clickStarts(s);
        ASSERT_GE(starts.size(), 4u);
        EXPECT_EQ(starts[0], changeSoundsAt(1));
        for (std::size_t i = 1; i < starts.size(); ++i)
            EXPECT_EQ(starts[i] - starts[i - 1], c.period) << "click " << i;
    }
}

TEST_F(ToolDialogsTest, MetronomeTempoMoreThan3UpTo1000) {
    const struct {
        const char* text;
        float rate;
    } cases[] = {{"3", 0.0f}, {"3.5", 3.5f}, {"1000", 1000.0f}, {"1000.5", 0.0f}};
    FrequencySynth synth;
    MetronomeDialog dialog(synth, nullptr);
    dialog.show();
    click(dialog, 1109);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        setText(dialog, 1110, c.text);
        EXPECT_EQ(synth.getMetronomeRate(), c.rate);
    }
}

TEST_F(ToolDialogsTest, MetronomeFollowsEveryKeystrokeOfTheCheckedPresetOnly) {
    FrequencySynth synth;
    MetronomeDialog dialog(synth, nullptr);
    dialog.show();
    click(dialog, 1034);
    QLineEdit* tempo = control<QLineEdit>(dialog, 1108);
    tempo->setFocus();
    // "1" is no tempo: the clicks stop until the text is valid again.
    const float expected[] = {0.0f, 12.0f, 120.0f};
    const char keys[] = {'1', '2', '0'};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(tempo, keys[i]);
        EXPECT_EQ(synth.getMetronomeRate(), expected[i]) << tempo->text().toStdString();
    }
    // Editing the other presets changes nothing.
    setText(dialog, 1107, "60");
    setText(dialog, 1110, "90");
    EXPECT_EQ(synth.getMetronomeRate(), 120.0f);
    click(dialog, 1106);
    EXPECT_EQ(synth.getMetronomeRate(), 60.0f);
    click(dialog, 1105);
    EXPECT_EQ(synth.getMetronomeRate(), 0.0f);
    click(dialog, 1109);
    EXPECT_EQ(synth.getMetronomeRate(), 90.0f);
    // Hidden, it goes on ticking.
    click(dialog, MetronomeDialog::IDC_CLOSE);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(synth.getMetronomeRate(), 90.0f);
}

TEST_F(ToolDialogsTest, CentCalculatorOnItsFields) {
    const struct {
        const char* f1;
        const char* cents;
        const char* f2;
        const char* newF1;
        const char* newCents;
        const char* newF2;
    } cases[] = {
        {"440", "100", "", "440", "100", "466.163757"},
        {"440.0", "", "880", "440", "1200", "880.000000"},
        {"", "1200", "880", "440", "1200", "880.000000"},
        {"440.50", "", "", "440.50", "", ""},
    };
    CentCalculator dialog(nullptr);
    dialog.show();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.f1) + " | " + c.cents + " | " + c.f2);
        setText(dialog, 1067, c.f1);
        setText(dialog, 1068, c.cents);
        setText(dialog, 1069, c.f2);
        click(dialog, 1070);
        EXPECT_EQ(textOf(dialog, 1067), c.newF1);
        EXPECT_EQ(textOf(dialog, 1068), c.newCents);
        EXPECT_EQ(textOf(dialog, 1069), c.newF2);
    }
}

TEST_F(ToolDialogsTest, CalibrationCalculatorOnItsFields) {
    const struct {
        const char* t1;
        const char* t2;
        int unit;
        const char* h1;
        const char* h2;
        const char* result;
    } cases[] = {
        {"20", "15", 1034, "", "", "14.290"},    {"68", "59", 1095, "", "", "14.290"},
        {"20", "20", 1034, "60", "40", "1.267"}, {"20", "15", 1034, "60", "", ""},
        {"", "", 1034, "", "", "0.000"},
    };
    CalibrationCalculatorDialog dialog(nullptr);
    dialog.show();
    const QComboBox* instrument = control<QComboBox>(dialog, 1103);
    EXPECT_EQ(instrument->count(), 1);
    EXPECT_EQ(instrument->currentText().toStdString(), "Organ");
    EXPECT_TRUE(control<QAbstractButton>(dialog, 1034)->isChecked());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.t1) + " " + c.t2 + " " + c.h1 + " " + c.h2);
        setText(dialog, 1098, c.t1);
        setText(dialog, 1099, c.t2);
        click(dialog, c.unit);
        setText(dialog, 1100, c.h1);
        setText(dialog, 1101, c.h2);
        click(dialog, 1070);
        EXPECT_EQ(textOf(dialog, 1004), c.result);
    }
}

TEST_F(ToolDialogsTest, GermanTexts) {
    overrideLanguage(Language::German);
    FrequencySynth synth;
    FreqSynthDialog synthDialog(synth, nullptr);
    MetronomeDialog metronome(synth, nullptr);
    CentCalculator cent(nullptr);
    CalibrationCalculatorDialog calibration(nullptr);
    EXPECT_EQ(synthDialog.windowTitle().toStdString(), "Frequenzgenerator");
    EXPECT_EQ(control<QAbstractButton>(synthDialog, 1098)->text().toStdString(), "Ton 4:");
    EXPECT_EQ(metronome.windowTitle().toStdString(), "Metronom Dialog");
    EXPECT_EQ(control<QAbstractButton>(metronome, 1109)->text().toStdString(), "Tempo 3:");
    EXPECT_EQ(control<QAbstractButton>(metronome, 1105)->text().toStdString(), "Aus");
    EXPECT_EQ(cent.windowTitle().toStdString(), "Cent Rechner");
    EXPECT_EQ(control<QAbstractButton>(cent, 1070)->text().toStdString(), "Berechnen");
    EXPECT_EQ(calibration.windowTitle().toStdString(), "Kalibrierungs-Rechner");
    EXPECT_EQ(control<QComboBox>(calibration, 1103)->currentText().toStdString(), "Orgel");
    EXPECT_EQ(control<QAbstractButton>(calibration, 1)->text().toStdString(), "Schliessen");
}

} // namespace
} // namespace tonvela
