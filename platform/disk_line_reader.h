#pragma once

#include <filesystem>
#include <string>

#include "platform/line_reader.h"
#include "platform/utf8_path.h"

namespace orbline {

// Reads source files from a folder on disk, as bytes. Open is the system's own: POSIX open(), or
// CreateFileW on Windows, sharing the file so that an editor can save over it while it is read.
class DiskLineReader : public LineReader {
 public:
  // `folder` is where bare names are looked up; empty means the process's current folder.
  explicit DiskLineReader(std::filesystem::path folder = {}) : folder_(std::move(folder)) {}

  const std::filesystem::path& folder() const { return folder_; }

  std::unique_ptr<LineFile> Open(std::string_view name, FileStatus* status) override;
  std::optional<std::filesystem::path> PathOf(std::string_view name) const override {
    return folder_ / PathFromUtf8(name);
  }

 private:
  std::filesystem::path folder_;
};

}  // namespace orbline
