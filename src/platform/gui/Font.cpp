#include "platform/gui/Font.h"

#include "platform/gui/QtBridge.h"
#include "platform/gui/WindowRecord.h"

#include <cmath>
#include <memory>
#include <unordered_map>

namespace tonvela {

namespace {

// Arial's (and Liberation Sans's) vertical metrics in font units: the cell
// is ascent + descent = 2288 units for an em of 2048.
constexpr double EmUnits = 2048.0;
constexpr double AscentUnits = 1854.0;
constexpr double CellUnits = 2288.0;

std::unordered_map<const Font*, std::unique_ptr<Font>>& fonts() {
    static std::unordered_map<const Font*, std::unique_ptr<Font>> instance;
    return instance;
}

std::unique_ptr<Font> makeFont(int height, int weight, const std::string& face) {
    auto font = std::make_unique<Font>();
    const bool arial = face.empty() || face == "Arial" || face == "Liberation Sans";
    font->qfont.setFamily(arial ? QStringLiteral("Liberation Sans") : QString::fromStdString(face));
    font->qfont.setStyleHint(QFont::SansSerif);
    font->qfont.setPixelSize(std::max(1, int(std::lround(height * EmUnits / CellUnits))));
    font->qfont.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
    // Unhinted, unkerned advances: the same text widths at every pixel ratio.
    font->qfont.setKerning(false);
    font->qfont.setHintingPreference(QFont::PreferNoHinting);
    font->height = height;
    font->weight = weight;
    font->ascent = int(std::lround(height * AscentUnits / CellUnits));
    return font;
}

} // namespace

FontHandle createFont(int height, int weight, const std::string& face) {
    if (height <= 0) {
        return nullptr;
    }
    auto font = makeFont(height, weight, face);
    Font* handle = font.get();
    fonts().emplace(handle, std::move(font));
    return handle;
}

void deleteFont(FontHandle font) {
    fonts().erase(font);
}

int fontHeight(FontHandle font) {
    return font ? font->height : 0;
}

int fontWeight(FontHandle font) {
    return font ? font->weight : 0;
}

const Font* defaultFont() {
    // What a context draws with before a font is selected.
    static const std::unique_ptr<Font> font = makeFont(16, FW_NORMAL, "Arial");
    return font.get();
}

QFont toQFont(FontHandle font) {
    return font ? font->qfont : defaultFont()->qfont;
}

} // namespace tonvela
