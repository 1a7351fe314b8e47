#pragma once

#include "platform/gui/GuiTypes.h"

namespace tonvela {

// The icon resource id, drawn from the program's SVG pictures; null for an
// id without a picture. Icons are loaded once and live for the whole run.
IconHandle loadIcon(int id);
int iconId(IconHandle icon);

} // namespace tonvela
