#pragma once

// The maker's web address: the donation pages lie below it, the about box
// and the donation reminder show it, and the printed report carries it when
// no address of the user's own is set.
namespace tonvela {

inline constexpr const char* MakerHomeUrl = "https://www.korvex.example";

} // namespace tonvela
