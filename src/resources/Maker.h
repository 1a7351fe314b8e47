#pragma once

// The maker of Tonvela and its web address: printed on the report's banner
// when the settings name no other ("home" of section "url"), shown by the
// about box, and the base of the donation pages ("/donate.html",
// "/donate_de.html"). The settings' company key is the maker's name.

namespace tonvela {

inline constexpr const char* MakerName = "Korvex";
inline constexpr const char* MakerWebAddress = "https://www.korvex.example";

} // namespace tonvela
