// The scale dialog, the temperament manager and the temperament editors as
// they open, to judge their layout in both languages.
#include "gallery/Gallery.h"

#include "app/dialogs/EditFullTemperamentDialog.h"
#include "app/dialogs/EditTemperamentDialog.h"
#include "app/dialogs/ScaleDialog.h"
#include "app/dialogs/TemperamentsDialog.h"
#include "platform/gui/QtBridge.h"
#include "state/Protocol.h"
#include "tuning/CustomScaleManager.h"
#include "tuning/ToneScaleCollection.h"

#include <QApplication>
#include <QDialog>
#include <QListWidget>

namespace {

using namespace tonvela;

void saveDialog(gallery::Gallery& gallery, QDialog& dialog, const std::string& name) {
    dialog.show();
    QApplication::processEvents();
    gallery.save(adoptWidget(&dialog), name);
    dialog.hide();
}

} // namespace

TONVELA_GALLERY_PAGE(dialogScale) {
    ToneScaleCollection scales;
    scales.setScale("kirnberger3_1779", 2, 442.0f, 0.5f);
    ScaleDialog dialog(scales, nullptr);
    saveDialog(gallery, dialog, "dialog-scale");
}

TONVELA_GALLERY_PAGE(dialogTemperaments) {
    ToneScaleCollection scales;
    CustomScaleManager store(scales);
    DefaultToneScale organ("c_1001", "Church organ, St. Mary", "Church organ, St. Mary", 0, 1.5f, 0,
                           -3, 0, 0, 0, 2, 0, 0, 0, 0, 0.5f);
    DefaultToneScale well("c_1002", "Well tempered (own)", "Well tempered (own)", 0.0f);
    FullToneScale piano("f_1003", "Grand piano, measured 2026", "Grand piano, measured 2026");
    store.setTemperaments({organ, well}, {piano});
    TemperamentsDialog dialog(store, nullptr);
    dialog.findChild<QListWidget*>(QStringLiteral("1057"))->item(0)->setSelected(true);
    saveDialog(gallery, dialog, "dialog-temperaments");
}

TONVELA_GALLERY_PAGE(dialogTemperamentEditors) {
    DefaultToneScale organ("c_48213577", "Church organ, St. Mary", "Church organ, St. Mary", 0,
                           1.5f, -2.25f, -3, 0.125f, 0, 0, 2, 0, 0, -99.5f, 12.125f, 0.5f);
    EditTemperamentDialog simple(organ, 0, nullptr, nullptr);
    saveDialog(gallery, simple, "dialog-edit-temperament");

    // As the protocol offers it: A4 recorded at 442 Hz, a few notes around.
    Protocol protocol;
    const float recorded[][2] = {{45, 220.9f}, {48, 262.1f}, {57, 442.0f}, {60, 523.0f}};
    for (const auto& entry : recorded)
        protocol.setFrequency(static_cast<int>(entry[0]), entry[1], true);
    FullToneScale measured;
    for (int n = 0; n < 96; ++n)
        measured.setCents(n, protocol.getDeviation(n));
    measured.setNames("Grand piano, measured 2026");
    EditFullTemperamentDialog full(measured, -1, nullptr, nullptr);
    saveDialog(gallery, full, "dialog-edit-full-temperament");
}
