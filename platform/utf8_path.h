#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orbline {

// Texts inside the program are UTF-8 (paths from the command line, the profile, messages); a path
// is made from one only here, never from a plain narrow string, which Windows would read in the
// system's ANSI code page and garble every Japanese name with. On Linux both are the same bytes.
inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The path as UTF-8, for messages and for the texts it goes back into.
inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace orbline
