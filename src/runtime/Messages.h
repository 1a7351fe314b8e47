#pragma once

// Every window message number of the program, in one Qt-free place. The values
// are those of the desktop model the program was designed for, so a message
// keeps its meaning wherever it is sent from or handled.

namespace tonvela {

// Window-layer messages, as the window layer delivers them to handleMessage.
inline constexpr unsigned WM_SIZE = 0x0005; // lParam: width | height << 16
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_SETFONT = 0x0030; // wParam: font handle
inline constexpr unsigned WM_KEYDOWN = 0x0100; // wParam: virtual-key code
inline constexpr unsigned WM_COMMAND =
    0x0111; // HIWORD(wParam): notification, lParam: sender's handle
inline constexpr unsigned WM_TIMER = 0x0113;       // wParam: timer id
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201; // lParam: x (signed 16 bit) | y << 16

// Button notifications and messages.
inline constexpr unsigned BN_CLICKED = 0;
inline constexpr unsigned BM_GETCHECK = 0x00F0;
inline constexpr unsigned BM_SETCHECK = 0x00F1;
inline constexpr unsigned BM_SETIMAGE = 0x00F7;

// Virtual-key codes the panel reacts to.
inline constexpr unsigned VK_PRIOR = 0x21;
inline constexpr unsigned VK_NEXT = 0x22;
inline constexpr unsigned VK_LEFT = 0x25;
inline constexpr unsigned VK_UP = 0x26;
inline constexpr unsigned VK_RIGHT = 0x27;
inline constexpr unsigned VK_DOWN = 0x28;

// The program's own messages.
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_TARGET_NOTE = WM_USER + 100;     // sent: wParam = note index 0..95
inline constexpr unsigned WM_ANALYSIS_RESULT = WM_USER + 101; // posted: owns an analysis result
inline constexpr unsigned WM_PROTOCOL_RESET =
    WM_USER + 102; // sent: wParam 0, the whole protocol changed
inline constexpr unsigned WM_PROTOCOL_ENTRY =
    WM_USER + 103; // sent: wParam = note index of the changed entry

} // namespace tonvela
