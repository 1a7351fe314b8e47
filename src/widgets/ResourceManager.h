#pragma once

#include "platform/gui/GuiTypes.h"

#include <map>
#include <string>

namespace tonvela {

// The fonts and the background brush every display draws with, and the
// string resources in the user-interface language. The application makes one
// after the Qt application object and hands it to the panel and its displays,
// which keep its font handles: it outlives every window. User-interface
// thread only.
class ResourceManager {
public:
    ResourceManager();
    virtual ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // The named font ("Arial,15,PLAIN", "Arial,24,BOLD", ...; compared
    // exactly); normalFont for any other name. The caller does not own it.
    FontHandle getFont(const std::string& name) const;
    // String resource id in the user-interface language; empty for an
    // unknown id. A copy, so it stays valid whatever is loaded next.
    std::string loadString(int id) const;

    FontHandle largeFont;  // 32, bold
    FontHandle mediumFont; // 18, bold
    FontHandle normalFont; // 16, regular
    FontHandle smallFont;  // 12, regular
    Brush backgroundBrush;

private:
    std::map<std::string, FontHandle> fonts;
};

} // namespace tonvela
