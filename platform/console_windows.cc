#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/console.h"
#include "platform/wide_text.h"

namespace orbline {

void SetUpConsole() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool WriteText(std::FILE* stream, std::string_view utf8) {
  const HANDLE console = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode;
  if (console == nullptr || console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode))
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
  // What went through the stream before must show first.
  std::fflush(stream);
  const std::wstring wide = WideFromUtf8(utf8);
  for (size_t at = 0; at < wide.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(wide.size() - at, 8192));
    if (!WriteConsoleW(console, wide.data() + at, chunk, &written, nullptr) || written == 0) return false;
    at += written;
  }
  return true;
}

}  // namespace orbline
