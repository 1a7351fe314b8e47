// The whole tuner panel as the program shows it: A4 played 3 cents sharp,
// measured by the standard analyzer, with a few notes in the protocol; at
// the size of a desktop window with every display, at first start, and small.
#include "gallery/Gallery.h"
#include "platform/gui/WindowTesting.h"

#include "analysis/AnalysisResultStd.h"
#include "analysis/AnalyzerStd.h"
#include "analysis/HeldClock.h"
#include "analysis/SteppedCapture.h"
#include "audio/CaptureDriver.h"
#include "audio/CaptureDriverManager.h"
#include "panel/MeasuringTool.h"
#include "panel/WindowResultReceiver.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "platform/store/Settings.h"
#include "runtime/Messages.h"
#include "runtime/Random.h"
#include "state/DataStructure.h"
#include "support/DisplayResources.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace tonvela::gallery {

namespace {

// Ten standard passes over a sine 3 cents above the target, as the analysis
// thread measures in Standard mode.
std::unique_ptr<AnalysisResultIfc> measureSharp(test::SteppedCapture& capture,
                                                const TargetData& target) {
    tonvela::srand(5);
    capture.signal = test::tone(target.frequency * std::pow(2.0, 3.0 / 1200.0), {1, 2, 3});
    auto r = std::make_unique<AnalysisResultStd>(target, 200, 1.0f);
    {
        CaptureDriver driver(0);
        AnalyzerStd standard;
        capture.play(0, 2.0);
        for (int pass = 0; pass < 10; ++pass) {
            standard.analyze(*r, driver);
        }
    }
    r->evaluate();
    r->setIntervalMs(400);
    std::fprintf(stderr, "tonvela-gallery: panel at %s: %s cents\n", target.name.c_str(),
                 r->getCentsText().c_str());
    return r;
}

// Notes tuned before A4, a few cents off.
void fillProtocol() {
    Protocol& protocol = DataStructure::getInstance().getProtocol();
    const ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
    const struct {
        int note;
        float cents;
    } entries[] = {{45, -1.5f}, {48, 2.25f}, {52, -0.75f}, {55, 1.0f}, {56, -3.1f}, {60, 0.4f}};
    for (const auto& e : entries) {
        protocol.setFrequency(
            e.note, scales.getNoteFrequency(e.note) * std::pow(2.0f, e.cents / 1200.0f), true);
    }
}

void panelPicture(Gallery& gallery, int mask, int width, int height, const std::string& name) {
    test::SteppedCapture capture;
    // The layout flags come from the settings, in the variant's own directory.
    Settings::openRoot("Tonvela");
    Settings("settings").writeInt("mtool", mask);
    test::HeldClock clock;
    {
        MeasuringTool panel("", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                            gallery.host(width, height), DataStructure::getInstance(),
                            test::displayResources(), &clock);
        panel.setPosition(0, 0, width, height);
        fillProtocol();
        WindowResultReceiver(panel.getHandle()).deliver(measureSharp(capture, panel.getTarget()));
        processPostedMessages();
        // Let the strobe run a few ticks, as it would between two results.
        for (int i = 0; i < 5; ++i) {
            sendMessage(panel.getStrobeControl().getHandle(), WM_TIMER, 1, 0);
        }
        gallery.save(panel.getHandle(), name);
        clock.release();
    }
    // The panel's last analysis may have opened the input.
    CaptureDriverManager::destroyInstance();
    DataStructure::getInstance().getProtocol().clear();
}

} // namespace

TONVELA_GALLERY_PAGE(panel) {
    panelPicture(gallery, 127, 1280, 760, "panel-all-1280x760");
    panelPicture(gallery, 115, 1280, 760, "panel-first-start-1280x760");
    panelPicture(gallery, 127, 640, 420, "panel-small-640x420");
}

} // namespace tonvela::gallery
