// The octave keyboards, the tuning information and the protocol grid at the
// sizes the panel gives them: the keyboards with the target key, the
// tuning information for two temperaments, the protocol with a dozen
// measured notes.
#include "gallery/Gallery.h"

#include "analysis/TargetData.h"
#include "panel/OctaveKeyboard.h"
#include "panel/ProtocolControl.h"
#include "panel/ToneScaleControl.h"
#include "state/DataStructure.h"
#include "support/DisplayResources.h"
#include "widgets/ResourceManager.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tonvela::gallery {

// The eight keyboards as the panel lays them out in an 800-pixel window (one
// row, then two rows), with A4 and then C#2 as the target.
TONVELA_GALLERY_PAGE(keyboards) {
    const int w = 792;
    for (const bool twoRows : {false, true}) {
        const int perRow = twoRows ? 4 : 8;
        const int kw = (twoRows ? 2 * w : w) / 8;
        const int kh = 15 - int(float(twoRows ? 2 * w : w) * (-0.6f) * 0.125f);
        const int rows = twoRows ? 2 : 1;
        WindowHandle* host = gallery.host(w + 8, rows * kh + 8);
        std::vector<std::unique_ptr<OctaveKeyboard>> keyboards;
        for (int i = 0; i < 8; ++i) {
            keyboards.push_back(std::make_unique<OctaveKeyboard>(host, test::displayResources()));
            keyboards.back()->octave = i;
            keyboards.back()->blackKeyHalfWidth = std::max(1, kw / 28);
        }
        for (int row = 0; row < rows; ++row) {
            int wr = w;
            int xk = 4;
            const int ky = 4 + (rows - 1 - row) * kh;
            for (int i = 0; i < perRow; ++i) {
                const int wi = wr / (perRow - i);
                keyboards[row * perRow + i]->setPosition(xk, ky, wi, kh);
                xk += wi - 1;
                wr -= wi - 1;
            }
        }
        keyboards[4]->setHighlight(9);
        gallery.save(host, twoRows ? "keyboards-two-rows-a4" : "keyboards-a4");
        keyboards[4]->setHighlight(-1);
        keyboards[2]->setHighlight(1);
        gallery.save(host, twoRows ? "keyboards-two-rows-cis2" : "keyboards-cis2");
    }
    WindowHandle* host = gallery.host(280, 60);
    OctaveKeyboard single(host, test::displayResources());
    single.octave = 3;
    single.setPosition(0, 0, 280, 60);
    single.setHighlight(6);
    gallery.save(host, "keyboard-280x60-fis3");
}

TONVELA_GALLERY_PAGE(toneScale) {
    ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    for (const int width : {394, 600}) {
        WindowHandle* host = gallery.host(width, 66);
        ToneScaleControl control(host, DataStructure::getInstance().getToneScales(),
                                 test::displayResources());
        control.setPosition(0, 0, width, 66);
        scales.setScale("equal", 0, 440.0f, 0.0f);
        gallery.save(host, "tuning-info-" + std::to_string(width) + "-equal");
        scales.setScale("kirnberger3_1779", 2, 442.0f, -1.25f);
        gallery.save(host, "tuning-info-" + std::to_string(width) + "-kirnberger");
    }
    scales.setScale("equal", 0, 440.0f, 0.0f);
}

// A dozen notes of octaves 3 and 4 as a tuner leaves them: most within a few
// cents, one far off, A4 the target.
TONVELA_GALLERY_PAGE(protocol) {
    DataStructure& state = DataStructure::getInstance();
    ToneScaleCollection& scales = state.getToneScales();
    scales.setScale("equal", 0, 440.0f, 0.0f);
    const std::pair<int, float> entries[] = {
        {48, -2.1f}, {50, 0.4f},  {52, 3.93f},   {53, -0.75f}, {55, 1.2f},  {57, 0.0f},
        {59, -4.6f}, {60, 12.5f}, {61, -27.25f}, {62, 0.08f},  {64, 6.66f}, {69, -1.0f},
    };
    for (const auto& [note, cents] : entries) {
        state.getProtocol().setFrequency(
            note, float(scales.getNoteFrequency(note) * std::pow(2.0, cents / 1200.0)), false);
    }
    TargetData target(57, scales.getNoteFrequency(57), scales.getNoteLabel(57));
    for (const auto& [width, height] :
         {std::pair{792, 300}, std::pair{600, 300}, std::pair{1180, 420}, std::pair{400, 200}}) {
        WindowHandle* host = gallery.host(width, height);
        ProtocolControl control(host, DataStructure::getInstance().getProtocol(),
                                DataStructure::getInstance().getToneScales(),
                                test::displayResources());
        control.setTarget(target);
        control.setPosition(0, 0, width, height);
        control.targetChanged();
        gallery.save(host, "protocol-" + std::to_string(width) + "x" + std::to_string(height));
    }
    state.getProtocol().clear();
}

} // namespace tonvela::gallery
