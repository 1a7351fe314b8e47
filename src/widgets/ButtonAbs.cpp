#include "widgets/ButtonAbs.h"

#include "platform/gui/Icon.h"
#include "platform/gui/WindowStyles.h"
#include "platform/gui/WindowSystem.h"
#include "runtime/Messages.h"
#include "widgets/Button.h"
#include "widgets/CheckBox.h"
#include "widgets/ToggleButton.h"

namespace tonvela {

ButtonAbs::ButtonAbs(WindowHandle* parent, int iconId, const std::string& text, unsigned style)
    : Window(ButtonClass, text, style, parent, 0) {
    if (iconId != 0) {
        sendMessage(handle, BM_SETIMAGE, IMAGE_ICON, toLParam(loadIcon(iconId)));
    }
}

bool ButtonAbs::queryChecked() const {
    return sendMessage(handle, BM_GETCHECK) == BST_CHECKED;
}

void ButtonAbs::putChecked(bool checked) {
    sendMessage(handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

Button::Button(WindowHandle* parent, int iconId, const std::string& text)
    : ButtonAbs(parent, iconId, text, iconId != 0 ? StyleWithIcon : StyleWithoutIcon) {}

ToggleButton::ToggleButton(WindowHandle* parent, int iconId, const std::string& text)
    : ButtonAbs(parent, iconId, text, Style) {}

CheckBox::CheckBox(WindowHandle* parent, int iconId, const std::string& text)
    : ButtonAbs(parent, iconId, text, iconId != 0 ? StyleWithIcon : StyleWithoutIcon) {}

} // namespace tonvela
