#pragma once

#include "platform/gui/GuiTypes.h"

#include <string>

namespace tonvela {

inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// A modal question over owner's window with the buttons and icon of type;
// returns the id of the button chosen (IDCANCEL when closed).
int messageBox(WindowHandle* owner, const std::string& text, const std::string& caption,
               unsigned type);

} // namespace tonvela
