// tonvela-gallery OUTDIR: runs every page in each variant (English, German,
// pixel ratio 2), each in a process of its own so that the language and the
// screen's pixel ratio are fixed for the run as in the program.
#include "gallery/Gallery.h"
#include "platform/gui/WindowTesting.h"

#include "platform/gui/DrawingContext.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "resources/Language.h"
#include "runtime/Messages.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace tonvela::gallery {

namespace {

std::map<std::string, PageFunction>& pages() {
    static std::map<std::string, PageFunction> instance;
    return instance;
}

class HostWindow : public Window {
public:
    HostWindow() : Window("", "", WS_VISIBLE, nullptr, 0) {}
    LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                          LParam lParam) override {
        if (message == WM_PAINT) {
            DrawingContext dc = DrawingContext::forPaint(hwnd);
            dc.fillSolid(dc.clientRect(), rgb(142, 147, 245));
            return 0;
        }
        return Window::handleMessage(hwnd, message, wParam, lParam);
    }
};

int runVariant(const std::string& outDir, double ratio, bool german, int argc, char** argv) {
    test::TempDir settings;
    setenv("TONVELA_CONFIG_DIR", settings.file("config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", settings.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (ratio != 1.0) {
        setenv("QT_SCALE_FACTOR", std::to_string(ratio).c_str(), 1);
    }
    QApplication application(argc, argv);
    overrideLanguage(german ? Language::German : Language::English);
    Gallery gallery(outDir, ratio, german);
    for (const auto& [name, page] : pages()) {
        page(gallery);
        gallery.endPage();
    }
    return 0;
}

} // namespace

PageRegistration::PageRegistration(const char* name, PageFunction function) {
    pages()[name] = function;
}

Gallery::Gallery(std::string outDir, double ratio, bool german)
    : outDir(std::move(outDir)), pixelRatio(ratio), isGerman(german) {}

Gallery::~Gallery() = default;

WindowHandle* Gallery::host(int width, int height) {
    hosts.push_back(std::make_unique<HostWindow>());
    Window& window = *hosts.back();
    window.setPosition(0, 0, width, height);
    return window.getHandle();
}

std::string Gallery::path(const std::string& name) const {
    std::string suffix;
    if (isGerman) {
        suffix += "-de";
    }
    if (pixelRatio != 1.0) {
        suffix += "@" + std::to_string(int(pixelRatio)) + "x";
    }
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) {
        return outDir + "/" + name + suffix;
    }
    return outDir + "/" + name.substr(0, dot) + suffix + name.substr(dot);
}

void Gallery::save(WindowHandle* window, const std::string& name) {
    const std::string file = path(name + ".png");
    processPostedMessages();
    if (!saveWindowImage(window, file, true)) {
        std::fprintf(stderr, "tonvela-gallery: cannot write %s\n", file.c_str());
    }
}

void Gallery::endPage() {
    hosts.clear();
    processPostedMessages();
}

} // namespace tonvela::gallery

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tonvela-gallery OUTDIR\n");
        return 2;
    }
    const std::string outDir = argv[1];
    if (argc >= 4 && std::string(argv[2]) == "--variant") {
        const std::string variant = argv[3];
        return tonvela::gallery::runVariant(outDir, variant == "2x" ? 2.0 : 1.0, variant == "de",
                                            argc, argv);
    }
    if (!QDir().mkpath(QString::fromStdString(outDir))) {
        std::fprintf(stderr, "tonvela-gallery: cannot create %s\n", outDir.c_str());
        return 1;
    }
    // The variants run this same program again, found through /proc so that
    // a relative argv[0] does not matter.
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        self = argv[0];
    }
    int failed = 0;
    for (const char* variant : {"en", "de", "2x"}) {
        const int code =
            QProcess::execute(QString::fromStdString(self.string()),
                              {QString::fromStdString(outDir), QStringLiteral("--variant"),
                               QString::fromLatin1(variant)});
        if (code != 0) {
            std::fprintf(stderr, "tonvela-gallery: variant %s failed (%d)\n", variant, code);
            ++failed;
        }
    }
    std::printf("tonvela-gallery: pictures in %s\n", outDir.c_str());
    return failed == 0 ? 0 : 1;
}
