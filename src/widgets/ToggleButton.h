#pragma once

#include "widgets/ButtonAbs.h"

namespace tonvela {

// A push button that stays pushed in while checked.
class ToggleButton : public ButtonAbs {
public:
    static constexpr unsigned Style = 0x50011043;

    ToggleButton(WindowHandle* parent, int iconId, const std::string& text);

    bool isChecked() const { return queryChecked(); }
    // The owner is not told of this change.
    void setChecked(bool checked) { putChecked(checked); }
};

} // namespace tonvela
