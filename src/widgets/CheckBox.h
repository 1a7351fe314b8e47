#pragma once

#include "widgets/ButtonAbs.h"

namespace tonvela {

class CheckBox : public ButtonAbs {
public:
    static constexpr unsigned StyleWithIcon = 0x50010043;
    static constexpr unsigned StyleWithoutIcon = 0x50010003;

    CheckBox(WindowHandle* parent, int iconId, const std::string& text);

    bool isChecked() const { return queryChecked(); }
    // The owner is not told of this change.
    void setChecked(bool checked) { putChecked(checked); }
};

} // namespace tonvela
