#pragma once

#include <functional>
#include <string>

namespace tonvela {

struct WindowHandle;

// The help pages: "Tonvela.html", in German "Tonvela_de.html", beside the
// program (in help/ next to it, or where the install put them under
// share/tonvela/help). The path of the page for the language; when no page
// is found, where it would be, so opening it reports the failure.
std::string helpFilePath(const std::string& programDir, bool german);

// Opens the page in the desktop's browser; a page that is missing or that
// the desktop cannot show gives "Failed to launch help." over owner, with
// the page's path to open by hand.
bool launchHelp(WindowHandle* owner, const std::string& path);

// Opens pages through opener instead of the desktop (tests); an empty
// function returns to the desktop.
using HelpOpener = std::function<bool(const std::string& path)>;
void setHelpOpener(HelpOpener opener);

} // namespace tonvela
