#pragma once

// The gallery renders the tuner's displays into PNG files for people to look
// at: tonvela-gallery OUTDIR.
//
// Adding pictures: put a file under tests/gallery/ (it is built in by the
// folder's glob) and write one or more pages:
//
//     #include "gallery/Gallery.h"
//
//     TONVELA_GALLERY_PAGE(strobe) {
//         StrobeControl strobe(gallery.host(600, 30));
//         strobe.setPosition(0, 0, 600, 30);
//         gallery.save(strobe.getHandle(), "strobe-600");
//     }
//
// The gallery runs every page once per variant, each variant in a process of
// its own: English at pixel ratio 1, German at 1, English at 2. save() writes
// OUTDIR/<name>.png, OUTDIR/<name>-de.png and OUTDIR/<name>@2x.png. A page
// that only matters in one variant asks gallery.german() or gallery.ratio()
// and returns early. Pages run in name order; each page gets fresh settings
// (a private settings directory per variant) but shares the process-wide
// state of its variant with the pages before it.

#include "platform/gui/GuiTypes.h"
#include "widgets/Window.h"

#include <memory>
#include <string>
#include <vector>

namespace tonvela::gallery {

class Gallery {
public:
    Gallery(std::string outDir, double ratio, bool german);
    ~Gallery();

    double ratio() const { return pixelRatio; }
    bool german() const { return isGerman; }

    // A visible top-level window of the panel's background colour to put
    // displays in; it lives until the page ends.
    WindowHandle* host(int width, int height);
    // Writes the window, with its children, as the screen shows it.
    void save(WindowHandle* window, const std::string& name);
    // Where a page may write files of its own (for example, icon sheets).
    std::string path(const std::string& name) const;

    void endPage();

private:
    std::string outDir;
    double pixelRatio;
    bool isGerman;
    std::vector<std::unique_ptr<Window>> hosts;
};

using PageFunction = void (*)(Gallery& gallery);

struct PageRegistration {
    PageRegistration(const char* name, PageFunction function);
};

} // namespace tonvela::gallery

#define TONVELA_GALLERY_PAGE(name)                                                                 \
    static void galleryPage_##name(::tonvela::gallery::Gallery& gallery);                          \
    static const ::tonvela::gallery::PageRegistration galleryRegistration_##name(                  \
        #name, &galleryPage_##name);                                                               \
    static void galleryPage_##name([[maybe_unused]] ::tonvela::gallery::Gallery& gallery)
