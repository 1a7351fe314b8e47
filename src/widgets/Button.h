#pragma once

#include "widgets/ButtonAbs.h"

namespace tonvela {

// A push button, with an icon when iconId is not 0.
class Button : public ButtonAbs {
public:
    static constexpr unsigned StyleWithIcon = 0x50010041;
    static constexpr unsigned StyleWithoutIcon = 0x50010001;

    Button(WindowHandle* parent, int iconId, const std::string& text);
};

} // namespace tonvela
