#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orbline {

// The whole content of a file, or "" when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace orbline
