// The main window as the program starts (fitting a 1366 x 768 screen) and at
// its smallest size, with a few measured notes and no sound input: the
// status bar says why nothing is measured.
#include "gallery/Gallery.h"

#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "audio/CaptureDriverManager.h"
#include "platform/audio/VirtualAudioBackend.h"
#include "platform/gui/WindowSystem.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"
#include "support/DisplayResources.h"

#include <QCoreApplication>
#include <cmath>

namespace tonvela::gallery {

TONVELA_GALLERY_PAGE(mainwindow) {
    // A machine without a sound input, as the analysis thread finds it.
    installAudioBackend(std::make_unique<VirtualAudioBackend>());
    CaptureDriverManager::getInstance().getDriver();
    {
        TonvelaDoc document;
        RecentFileList recent(4);
        MainFrame frame(document, recent, "/nowhere/Tonvela.html", test::displayResources());
        document.OnNewDocument();
        const ToneScaleCollection& scales = DataStructure::getInstance().getToneScales();
        Protocol& protocol = DataStructure::getInstance().getProtocol();
        for (int note = 36; note < 72; note += 5)
            protocol.setFrequency(
                note, scales.getNoteFrequency(note) * std::pow(2.0f, 2.5f / 1200.0f), true);
        frame.updateInputStatus();
        frame.show();
        const struct {
            int width, height;
            const char* name;
        } sizes[] = {{MainFrame::StartWidth, MainFrame::StartHeight, "mainwindow-start"},
                     {MainFrame::MinimumWidth, MainFrame::MinimumHeight, "mainwindow-minimum"}};
        for (const auto& size : sizes) {
            frame.resize(size.width, size.height);
            QCoreApplication::processEvents();
            gallery.save(frame.handle(), size.name);
        }
        protocol.clear();
    }
    CaptureDriverManager::destroyInstance();
    installAudioBackend(nullptr);
}

} // namespace tonvela::gallery
