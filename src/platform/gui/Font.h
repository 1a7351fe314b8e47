#pragma once

#include "platform/gui/GuiTypes.h"

#include <string>

namespace tonvela {

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

// A font by its cell height in pixels (ascent plus descent) and weight.
// "Arial" is drawn with Liberation Sans, which has Arial's metrics.
FontHandle createFont(int height, int weight, const std::string& face = "Arial");
void deleteFont(FontHandle font);
int fontHeight(FontHandle font);
int fontWeight(FontHandle font);

} // namespace tonvela
