#pragma once

#include "platform/gui/GuiTypes.h"

namespace tonvela {

// The object behind a window: every message of the window arrives here.
class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    virtual LResult handleMessage(WindowHandle* hwnd, unsigned message, WParam wParam,
                                  LParam lParam) = 0;
};

} // namespace tonvela
