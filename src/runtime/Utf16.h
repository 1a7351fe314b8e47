#pragma once

#include <string>
#include <string_view>

namespace tonvela {

// Conversions at the few places that need 16-bit text (document files,
// ordering by 16-bit code units). Our texts are UTF-8 everywhere else.
// Malformed input never fails: each bad sequence or unpaired surrogate
// becomes U+FFFD.
struct Utf16 {
    static std::u16string fromUtf8(std::string_view text);
    static std::string toUtf8(std::u16string_view text);
    // 8-bit text in the Western Windows code page (1252), as older files
    // store it, to UTF-8.
    static std::string fromAnsi(std::string_view bytes);
};

} // namespace tonvela
