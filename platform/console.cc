#include "platform/console.h"

#include <cstdarg>

namespace orbline {
namespace {

std::string VFormat(const char* format, va_list args) {
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(static_cast<size_t>(n));
  }
  va_end(again);
  return out;
}

}  // namespace

void Print(std::FILE* stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = VFormat(format, args);
  va_end(args);
  WriteText(stream, text);
}

}  // namespace orbline
