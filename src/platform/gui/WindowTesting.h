#pragma once

// What tests and the gallery reach into the window layer for; the program
// itself never calls these.

#include "platform/gui/GuiTypes.h"

#include <functional>
#include <string>

namespace tonvela {

// Delivers every message posted so far.
void processPostedMessages();

// The back buffer: its pixel at logical (x, y) after any pending paint (as
// the screen would show it), black outside. With children, saving renders
// the window as the screen shows it.
Colour getPixel(WindowHandle* hwnd, int x, int y);
bool saveWindowImage(WindowHandle* hwnd, const std::string& path, bool withChildren = true);
// The pixel ratio of the back buffer: the screen's, unless overridden (0
// returns to the screen's). A change rebuilds and repaints the buffer.
void setWindowPixelRatio(WindowHandle* hwnd, double ratio);
double getWindowPixelRatio(WindowHandle* hwnd);

// Answers every following messageBox without showing it; an empty function
// shows them again.
using MessageBoxAnswer =
    std::function<int(const std::string& text, const std::string& caption, unsigned type)>;
void setMessageBoxAnswer(MessageBoxAnswer answer);

} // namespace tonvela
