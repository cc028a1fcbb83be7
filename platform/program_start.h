#pragma once

#include <string>
#include <vector>

namespace orbline {

// Starts the program `words[0]` (found on the PATH when it names no folder) with the other words
// as its arguments, and does not wait for it: it runs on after this program ends, inheriting none
// of its sockets or files but the standard streams. Words are UTF-8. False with `*err` saying why
// when it could not be started.
bool StartProgram(const std::vector<std::string>& words, std::string* err);

// Opens `url` in the user's default browser: xdg-open on Linux, the shell's "open" on Windows.
bool OpenInBrowser(const std::string& url, std::string* err);

}  // namespace orbline
