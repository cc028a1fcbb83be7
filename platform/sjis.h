#pragma once

#include <string>
#include <string_view>

namespace orbline {

// The one place where Shift_JIS (code page 932) texts are decoded for a person to read. Bytes
// that are not valid code page 932 become U+FFFD each; nothing is dropped silently.
std::string SjisToUtf8(std::string_view sjis);

// Encodes UTF-8 as code page 932; characters it cannot hold become '?'.
std::string Utf8ToSjis(std::string_view utf8);

}  // namespace orbline
