#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orbline {

// Prepares standard output and standard error for WriteText: on Windows they stay binary, so a
// line ends in LF alone as on Linux for the programs that read it. Call once at the start.
void SetUpConsole();

// Writes UTF-8 text to `stream` (stdout or stderr). Into a console on Windows it goes as UTF-16,
// so Japanese shows right whatever the console's code page, which is left as it was; into a pipe
// or a file, and everywhere on Linux, as the UTF-8 bytes. False when it could not be written.
bool WriteText(std::FILE* stream, std::string_view utf8);

// printf to stdout or stderr through WriteText. The formats are checked as GNU's printf reads them
// (mingw's default would be Microsoft's); clang knows that style only by the name printf.
#if defined(__clang__)
[[gnu::format(printf, 2, 3)]]
#else
[[gnu::format(gnu_printf, 2, 3)]]
#endif
void Print(std::FILE* stream, const char* format, ...);

}  // namespace orbline
