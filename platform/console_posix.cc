#include "platform/console.h"

namespace orbline {

void SetUpConsole() {}

bool WriteText(std::FILE* stream, std::string_view utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

}  // namespace orbline
