#pragma once

#include <string>
#include <string_view>

namespace orbline {

// The one place where Shift_JIS (code page 932) texts are decoded for a person to read. Bytes
// that are not valid code page 932 become U+FFFD each; nothing is dropped silently.
std::string SjisToUtf8(std::string_view sjis);

// Encodes UTF-8 as code page 932; characters it cannot hold become '?'.
std::string Utf8ToSjis(std::string_view utf8);

// True when `bytes` hold characters beyond ASCII that read as UTF-8 but not as code page 932:
// text that an editor saved as UTF-8.
bool ReadsOnlyAsUtf8(std::string_view bytes);

// Appends the UTF-8 bytes of the code point `c` (at most U+10FFFF) to `out`.
void AppendUtf8(char32_t c, std::string* out);

// True when `bytes` start with the UTF-8 byte-order mark.
inline bool StartsWithUtf8Mark(std::string_view bytes) { return bytes.substr(0, 3) == "\xEF\xBB\xBF"; }

}  // namespace orbline
