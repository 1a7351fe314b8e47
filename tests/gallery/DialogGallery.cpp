// The tool windows, the donation reminder and the about box, filled in as a
// user would have them.
#include "app/dialogs/CAboutDlg.h"
#include "app/dialogs/CalibrationCalculatorDialog.h"
#include "app/dialogs/CentCalculator.h"
#include "app/dialogs/DonateDialog.h"
#include "app/dialogs/FreqSynthDialog.h"
#include "app/dialogs/MetronomeDialog.h"
#include "gallery/Gallery.h"
#include "tools/FrequencySynth.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>

#include <cstdio>

namespace tonvela::gallery {
namespace {

void setText(QWidget& dialog, int id, const char* text) {
    if (auto* edit = dialog.findChild<QLineEdit*>(QString::number(id)))
        edit->setText(QString::fromUtf8(text));
}

void check(QWidget& dialog, int id) {
    if (auto* button = dialog.findChild<QAbstractButton*>(QString::number(id)))
        button->click();
}

// The dialog with its frame's contents as the screen shows them.
void saveDialog(Gallery& gallery, QWidget& dialog, const std::string& name) {
    dialog.show();
    QApplication::processEvents();
    const std::string file = gallery.path(name + ".png");
    if (!dialog.grab().save(QString::fromStdString(file)))
        std::fprintf(stderr, "tonvela-gallery: cannot write %s\n", file.c_str());
    dialog.hide();
}

} // namespace

TONVELA_GALLERY_PAGE(dialog_tools) {
    FrequencySynth synth;
    {
        FreqSynthDialog dialog(synth, nullptr);
        setText(dialog, 1092, "440");
        check(dialog, 1093);
        setText(dialog, 1094, "442");
        check(dialog, 1095);
        setText(dialog, 1096, "15");
        saveDialog(gallery, dialog, "dialog-frequency-synthesizer");
    }
    {
        MetronomeDialog dialog(synth, nullptr);
        setText(dialog, 1107, "60");
        setText(dialog, 1108, "120");
        setText(dialog, 1110, "137");
        check(dialog, 1034);
        saveDialog(gallery, dialog, "dialog-metronome");
    }
    synth.setMetronome(0.0f);
    {
        CentCalculator dialog(nullptr);
        setText(dialog, 1067, "440");
        setText(dialog, 1068, "100");
        check(dialog, 1070);
        saveDialog(gallery, dialog, "dialog-cent-calculator");
    }
    {
        CalibrationCalculatorDialog dialog(nullptr);
        setText(dialog, 1098, "20");
        setText(dialog, 1099, "15");
        setText(dialog, 1100, "60");
        setText(dialog, 1101, "40");
        check(dialog, 1070);
        saveDialog(gallery, dialog, "dialog-calibration-calculator");
    }
}

TONVELA_GALLERY_PAGE(dialog_donate_about) {
    {
        DonateDialog dialog(100, nullptr);
        saveDialog(gallery, dialog, "dialog-donate");
    }
    {
        CAboutDlg dialog(nullptr);
        saveDialog(gallery, dialog, "dialog-about");
    }
}

} // namespace tonvela::gallery
