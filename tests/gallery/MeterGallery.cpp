// The strobe, the deviation bar on its cent ruler and the numeric display,
// without a result, with a tone 3.46 cents sharp measured by the standard
// analyzer (Accurate mode) and by the precision analyzer, zoomed and not; the
// numeric display also with the Standard mode's reading.
#include "gallery/Gallery.h"
#include "gallery/SharpTone.h"

#include "analysis/AnalysisResultPro.h"
#include "analysis/AnalysisResultStd.h"
#include "panel/DeviationControl.h"
#include "panel/DisplayControl.h"
#include "panel/StrobeControl.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "support/DisplayResources.h"

#include <memory>
#include <utility>

namespace tonvela::gallery {

namespace {

void tick(StrobeControl& strobe, int count) {
    for (int i = 0; i < count; ++i)
        sendMessage(strobe.getHandle(), WM_TIMER, StrobeControl::TICK_MS);
}

// The three displays as the panel stacks them in an 800-pixel-wide window:
// the numeric display in the right half of the first row, then the strobe
// and the deviation display across the width.
void panelRows(Gallery& gallery, const SharpTone& m, const AnalysisResultIfc* result, bool zoom,
               const std::string& name, bool held = false) {
    WindowHandle* host = gallery.host(800, 172);
    DisplayControl display(host, test::displayResources());
    StrobeControl strobe(host);
    DeviationControl deviation(host, test::displayResources());
    display.setPosition(402, 4, 394, 66);
    strobe.setPosition(4, 74, 792, 30);
    deviation.setPosition(4, 108, 792, 60);
    display.setTarget(m.target);
    strobe.setZoom(zoom);
    deviation.setZoom(zoom);
    display.setHeld(held);
    strobe.setHeld(held);
    display.setResult(result);
    strobe.setResult(result);
    deviation.setResult(result);
    // Let the band drift as it would for a few seconds.
    tick(strobe, 45);
    gallery.save(host, name);
}

} // namespace

TONVELA_GALLERY_PAGE(meters) {
    const SharpTone m = measureSharpA4(7);

    panelRows(gallery, m, nullptr, false, "meters-none");
    panelRows(gallery, m, m.standard.get(), false, "meters-standard");
    panelRows(gallery, m, m.standard.get(), true, "meters-standard-zoom");
    panelRows(gallery, m, m.precise.get(), false, "meters-precise");
    panelRows(gallery, m, m.precise.get(), true, "meters-precise-zoom");
    // Kept by automatic measurement stop while nothing is measured.
    panelRows(gallery, m, m.standard.get(), false, "meters-standard-held", true);

    // Each display alone at other common widths.
    for (int width : {300, 600}) {
        WindowHandle* host = gallery.host(width, 30);
        StrobeControl strobe(host);
        strobe.setPosition(0, 0, width, 30);
        strobe.setResult(m.standard.get());
        tick(strobe, 20);
        gallery.save(host, "strobe-" + std::to_string(width));
    }
    for (int width : {600, 400, 20}) {
        for (bool zoom : {false, true}) {
            if (width == 20 && zoom)
                continue;
            WindowHandle* host = gallery.host(width, 60);
            DeviationControl deviation(host, test::displayResources());
            deviation.setPosition(0, 0, width, 60);
            deviation.setZoom(zoom);
            deviation.setResult(m.precise.get());
            gallery.save(host, "deviation-" + std::to_string(width) + (zoom ? "-zoom" : ""));
        }
    }
    // The bar at its limits: a record filled as the analyzer fills it, one
    // clean peak 100 cents from the target.
    for (int cents : {100, -100}) {
        AnalysisResultStd far(m.target, 200, 1.0f);
        far.addValue(200 + cents, 1.0f);
        far.accumulatePass();
        far.evaluate();
        WindowHandle* host = gallery.host(600, 60 + 66);
        DeviationControl deviation(host, test::displayResources());
        DisplayControl display(host, test::displayResources());
        deviation.setPosition(0, 0, 600, 60);
        display.setPosition(0, 60, 600, 66);
        display.setTarget(m.target);
        deviation.setResult(&far);
        display.setResult(&far);
        gallery.save(host, cents > 0 ? "deviation-600-sharp100" : "deviation-600-flat100");
    }
    for (int width : {300, 600}) {
        WindowHandle* host = gallery.host(width, 66);
        DisplayControl display(host, test::displayResources());
        display.setPosition(0, 0, width, 66);
        display.setTarget(m.target);
        display.setResult(m.precise.get());
        gallery.save(host, "display-" + std::to_string(width));
    }
    // The standard analyzer's readings between its grid points: tenths of a
    // cent in Standard mode, hundredths in Accurate mode.
    const std::pair<const AnalysisResultStd*, const char*> readings[] = {
        {m.fast.get(), "display-600-standard"}, {m.standard.get(), "display-600-accurate"}};
    for (const auto& [record, name] : readings) {
        WindowHandle* host = gallery.host(600, 66);
        DisplayControl display(host, test::displayResources());
        display.setPosition(0, 0, 600, 66);
        display.setTarget(m.target);
        display.setResult(record);
        gallery.save(host, name);
    }
}

} // namespace tonvela::gallery
