#include <unistd.h>

#include <filesystem>

#include "cli/render_launch.h"
#include "platform/console.h"

namespace orbline {

int RunRender(const std::vector<std::string>& args) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  const fs::path path = (ec ? fs::path("orblinec") : self).parent_path() / "orblinec-render";
  std::vector<std::string> copies = args;
  std::vector<char*> argv;
  static char name[] = "orblinec";
  argv.push_back(name);
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::fflush(nullptr);
  ::execv(path.c_str(), argv.data());
  Print(stderr, "orblinec: %s: cannot run it for render\n", path.c_str());
  return 1;
}

}  // namespace orbline
