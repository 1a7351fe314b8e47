#include "widgets/ResourceManager.h"

#include "platform/gui/Font.h"
#include "resources/StringResources.h"

namespace tonvela {

namespace {

constexpr int NamedFontSizes[] = {10, 12, 14, 15, 16, 18, 20, 22, 24};

} // namespace

ResourceManager::ResourceManager()
    : largeFont(createFont(32, FW_BOLD)), mediumFont(createFont(18, FW_BOLD)),
      normalFont(createFont(16, FW_NORMAL)), smallFont(createFont(12, FW_NORMAL)) {
    for (int size : NamedFontSizes) {
        fonts["Arial," + std::to_string(size) + ",PLAIN"] = createFont(size, FW_NORMAL);
    }
    for (int size : NamedFontSizes) {
        fonts["Arial," + std::to_string(size) + ",BOLD"] = createFont(size, FW_BOLD);
    }
    backgroundBrush = Brush::solid(rgb(142, 147, 245));
}

ResourceManager::~ResourceManager() {
    deleteFont(largeFont);
    deleteFont(mediumFont);
    deleteFont(normalFont);
    deleteFont(smallFont);
    for (const auto& [name, font] : fonts) {
        deleteFont(font);
    }
}

FontHandle ResourceManager::getFont(const std::string& name) const {
    auto it = fonts.find(name);
    return it != fonts.end() ? it->second : normalFont;
}

std::string ResourceManager::loadString(int id) const {
    return tonvela::loadString(id);
}

} // namespace tonvela
