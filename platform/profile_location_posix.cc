#include <cstdlib>

#include "platform/profile_location.h"
#include "platform/utf8_path.h"

namespace orbline {

std::filesystem::path ProfileLocation() {
  const char* named = std::getenv("ORBLINE_PROFILE");
  if (named != nullptr && *named != '\0') return PathFromUtf8(named);
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return PathFromUtf8(config) / "Orbline.ini";
  const char* home = std::getenv("HOME");
  return PathFromUtf8(home != nullptr ? home : "") / ".config" / "Orbline.ini";
}

}  // namespace orbline
