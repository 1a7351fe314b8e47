#pragma once

#include "widgets/Window.h"

#include <string>

namespace tonvela {

// A button control: the window layer's "BUTTON", which handles its own
// messages (this object never sees one). A click sends WM_COMMAND with
// HIWORD(wParam) = BN_CLICKED and lParam = the button's handle to the parent.
class ButtonAbs : public Window {
public:
    // iconId 0: no icon.
    ButtonAbs(WindowHandle* parent, int iconId, const std::string& text, unsigned style);

protected:
    bool queryChecked() const;
    void putChecked(bool checked);
};

} // namespace tonvela
