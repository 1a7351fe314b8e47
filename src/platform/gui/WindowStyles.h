#pragma once

// Window and button styles, with the values of the desktop model the program
// was designed for, so that a style word means the same everywhere.

namespace tonvela {

inline constexpr unsigned WS_CHILD = 0x40000000;
inline constexpr unsigned WS_VISIBLE = 0x10000000;
inline constexpr unsigned WS_DISABLED = 0x08000000;
inline constexpr unsigned WS_CLIPCHILDREN = 0x02000000;

// The low four bits of a button's style are its kind.
inline constexpr unsigned BS_CHECKBOX = 0x2;
inline constexpr unsigned BS_AUTOCHECKBOX = 0x3;
inline constexpr unsigned BS_TYPEMASK = 0xF;
inline constexpr unsigned BS_PUSHLIKE = 0x1000;

// BM_SETIMAGE's wParam for an icon; BM_GETCHECK's answer when checked.
inline constexpr unsigned IMAGE_ICON = 1;
inline constexpr unsigned BST_UNCHECKED = 0;
inline constexpr unsigned BST_CHECKED = 1;

} // namespace tonvela
