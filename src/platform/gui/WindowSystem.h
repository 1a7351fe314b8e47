#pragma once

#include "platform/gui/GuiTypes.h"
#include "platform/gui/MessageHandler.h"

#include <memory>
#include <string>

// The window layer: windows that route their events to a MessageHandler as
// messages (runtime/Messages.h), their handles, sending and posting, timers.
// Everything here runs on the user-interface thread, except postMessage.

namespace tonvela {

// The class of the program's own windows; "BUTTON" is the built-in button.
inline constexpr const char* FrameworkWindowClass = "FrameworkWindow";
inline constexpr const char* ButtonClass = "BUTTON";

// Makes className known to createWindow. False when it is already registered
// or when there is no application object to host windows.
bool registerWindowClass(const std::string& className);
bool isWindowClassRegistered(const std::string& className);

// Creates a window of a registered class (or "BUTTON"). A FrameworkWindow
// owns a back buffer of its client area, in which all its drawing is kept,
// and sends its messages to the handler attached with setWindowHandler. A
// BUTTON is a push button, a push-like toggle (BS_AUTOCHECKBOX | BS_PUSHLIKE)
// or a check box (BS_AUTOCHECKBOX) with windowName as its text; it handles
// its own messages and sends WM_COMMAND (BN_CLICKED, lParam = its handle) to
// its parent when clicked. WS_VISIBLE shows the window, WS_DISABLED disables
// it. Null on failure (unknown class, no application, parent not a window).
WindowHandle* createWindow(const std::string& className, const std::string& windowName,
                           unsigned style, WindowHandle* parent, unsigned exStyle = 0);
// Destroys the window with all its children; their timers stop and messages
// posted to them are dropped, destroying their payloads.
void destroyWindow(WindowHandle* hwnd);
bool isWindow(WindowHandle* hwnd);

// The object that receives the window's messages; null detaches it.
void setWindowHandler(WindowHandle* hwnd, MessageHandler* handler);

WindowHandle* getParent(WindowHandle* hwnd);
std::string getClassName(WindowHandle* hwnd);
std::string getWindowText(WindowHandle* hwnd);
unsigned getWindowStyle(WindowHandle* hwnd);
// Stores the style; a change of WS_VISIBLE or WS_DISABLED shows, hides,
// enables or disables the window.
void setWindowStyle(WindowHandle* hwnd, unsigned style);

// Places the window in its parent's client coordinates (or on the screen).
// A change of size sends WM_SIZE at once and invalidates the whole window.
void setWindowPos(WindowHandle* hwnd, int x, int y, int width, int height);
Rect getWindowRect(WindowHandle* hwnd); // in the parent's client coordinates
Rect getClientRect(WindowHandle* hwnd); // (0, 0, width, height)
void showWindow(WindowHandle* hwnd, bool show);
// The window's own visibility flag; a shown child of a hidden parent counts
// as visible.
bool isWindowVisible(WindowHandle* hwnd);
void enableWindow(WindowHandle* hwnd, bool enable);
bool isWindowEnabled(WindowHandle* hwnd);

// Keyboard focus: only focusable windows take it from a click; setFocus
// gives it to any window.
void setWindowFocusable(WindowHandle* hwnd, bool focusable);
void setFocus(WindowHandle* hwnd);
WindowHandle* getFocus();

// What a window is for, in words: its tooltip and the name a screen reader
// announces (for buttons that show only an icon).
void setWindowDescription(WindowHandle* hwnd, const std::string& text);
// The size the window needs to show its text and icon whole (buttons);
// (0, 0) for other windows.
Point getPreferredSize(WindowHandle* hwnd);

// Marks the window's client area (or part of it) for painting: the next paint
// sends WM_PAINT, and the drawing context of that paint is clipped to what
// was invalidated.
void invalidateRect(WindowHandle* hwnd, const Rect* rect = nullptr);
// Sends WM_PAINT now if anything is invalid, so the back buffer is current.
void updateWindow(WindowHandle* hwnd);

// Calls the window's handler (or the default handling) at once and returns
// its result. User-interface thread only.
LResult sendMessage(WindowHandle* hwnd, unsigned message, WParam wParam = 0, LParam lParam = 0);
// What a window does with a message its handler does not consume: BUTTON
// windows answer BM_GETCHECK, BM_SETCHECK, BM_SETIMAGE and WM_SETFONT; other
// messages return 0.
LResult defWindowProc(WindowHandle* hwnd, unsigned message, WParam wParam, LParam lParam);

// Posting: from any thread; delivered on the user-interface thread in the
// order posted. False when the window layer cannot take the message.
bool postMessage(WindowHandle* hwnd, unsigned message, WParam wParam = 0, LParam lParam = 0);
// Posts a message that owns payload: on delivery the handler receives the
// pointer as wParam and takes it over; a message that is never delivered (the
// window is gone, the application ends) destroys it with destroy(payload).
bool postMessageOwned(WindowHandle* hwnd, unsigned message, void* payload, void (*destroy)(void*));
template <class T>
bool postMessageOwned(WindowHandle* hwnd, unsigned message, std::unique_ptr<T> payload) {
    return postMessageOwned(hwnd, message, payload.release(),
                            [](void* p) { delete static_cast<T*>(p); });
}

// Timers: every interval ms the window receives WM_TIMER with wParam = id.
// id 0 picks an unused id. Returns the id, 0 on failure; setting an existing
// id restarts that timer.
unsigned setTimer(WindowHandle* hwnd, unsigned id, unsigned intervalMs);
bool killTimer(WindowHandle* hwnd, unsigned id);

// The colour of button faces, to match strips next to buttons.
Colour buttonFaceColour();

} // namespace tonvela
