#pragma once

#include <string>
#include <vector>

namespace tonvela::test {

// The layering of the source folders, read from the #include lines of every
// header and source below a source root.
//
// Folders, lowest first; a file may include its own folder and the folders
// ranked below it, never one ranked above:
//   0 runtime
//   1 platform/audio, platform/store (siblings: neither includes the other)
//   2 resources
//   3 tuning
//   4 state         (audio and analysis reach the central state, not the
//                    other way round)
//   5 audio
//   6 analysis
//   7 tools
//   8 platform/gui, report (siblings: the report draws with Qt Gui alone)
//   9 widgets
//  10 panel
//  11 app
//  12 cli
//
// Qt: the core (ranks 0..7) has no Qt header in any header, and Qt Core only
// in its sources; platform/gui and app may use Qt Widgets; widgets and panel
// reach no Qt header at all, not even through a header they include; cli may
// use Qt up to Qt Gui (the report as PDF), not Qt Widgets.
//
// A folder that is not in the list is a finding of its own, so a new folder
// gets its place before it gets code.
struct IncludeFinding {
    std::string file; // relative to the source root
    int line = 0;
    std::string include;
    std::string reason;
};

// qtIncludeRoot is the directory that holds QtCore/, QtGui/, QtWidgets/...;
// a Qt header that cannot be found there counts as Qt Widgets.
std::vector<IncludeFinding> checkIncludes(const std::string& sourceRoot,
                                          const std::string& qtIncludeRoot);

} // namespace tonvela::test
