#pragma once

#include <string>
#include <string_view>

namespace orbline {

// UTF-8 and the UTF-16 of Windows' wide functions, for the places that meet them (arguments,
// the environment, the console). Ill-formed input becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace orbline
