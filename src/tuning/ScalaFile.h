#pragma once

#include "tuning/DefaultToneScale.h"

#include <string>
#include <string_view>

namespace tonvela {

class ToneScale;

// Scala scale files (.scl), the exchange format of tuning software: comment
// lines starting with "!", a description line, the number of notes, then one
// pitch per line above the implicit 1/1, as cents (with a point) or as a
// ratio, the last one being the octave. Twelve notes map onto a simple
// temperament: the deviation of each from the (possibly stretched) equal
// temperament built on C, and the octave's excess over 1200 cents as the
// octave stretch.
struct ScalaImport {
    bool ok = false;
    // On success: name from the description (empty when there is none),
    // twelve values, C at 0, and the stretch; a fresh "c_" key.
    DefaultToneScale scale;
    std::string description;
    // On failure: the line (1-based) the problem is on, its message id and
    // the texts for "%1" and "%2".
    int line = 0;
    int messageId = 0;
    std::string argument1;
    std::string argument2;
};

class ScalaFile {
public:
    // Files beyond this are no scale of twelve notes.
    static constexpr std::size_t MAX_FILE_SIZE = 1 << 20;

    static ScalaImport parse(std::string_view text);
    // "Line N: message" in the interface language, for a failed import.
    static std::string errorMessage(const ScalaImport& result);

    // The .scl text of a temperament. A simple one gives its twelve notes
    // from C with its stretched octave; a full one the octave C4 to C5.
    // fileName goes into the first comment line, as the format advises.
    static std::string format(const ToneScale& scale, const std::string& fileName);

    // A description as a temperament's name: valid UTF-8 kept (8-bit text
    // read as Latin-1), ";" made ",", blanks trimmed, cut to the longest name.
    static std::string nameFromDescription(std::string_view description);
};

} // namespace tonvela
