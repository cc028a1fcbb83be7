#include "platform/file_poller.h"

#include "platform/utf8_path.h"

namespace orbline {

FilePoller::FilePoller(std::filesystem::path folder, std::vector<std::string> names)
    : folder_(std::move(folder)), names_(std::move(names)) {
  for (const std::string& name : names_) looks_[name] = LookOf(name);
}

FilePoller::Look FilePoller::LookOf(const std::string& name) const {
  const std::filesystem::path path = folder_ / PathFromUtf8(name);
  std::error_code ec;
  Look look;
  look.exists = std::filesystem::is_regular_file(path, ec);
  if (!look.exists) return look;
  look.size = std::filesystem::file_size(path, ec);
  if (ec) look.size = 0;
  look.modified = std::filesystem::last_write_time(path, ec);
  if (ec) look.modified = {};
  return look;
}

std::vector<std::string> FilePoller::Poll() {
  std::vector<std::string> changed;
  for (const std::string& name : names_) {
    Look now = LookOf(name);
    if (now == looks_[name]) continue;
    looks_[name] = now;
    changed.push_back(name);
  }
  return changed;
}

}  // namespace orbline
