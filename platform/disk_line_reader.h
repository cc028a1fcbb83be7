#pragma once

#include <filesystem>
#include <string>

#include "platform/line_reader.h"

namespace orbline {

// Reads source files from a folder on disk.
class DiskLineReader : public LineReader {
 public:
  // `folder` is where bare names are looked up; empty means the process's current folder.
  explicit DiskLineReader(std::filesystem::path folder = {});

  const std::filesystem::path& folder() const { return folder_; }

  std::unique_ptr<LineFile> Open(std::string_view name, FileStatus* status) override;
  std::optional<std::filesystem::path> PathOf(std::string_view name) const override;

 private:
  std::filesystem::path folder_;
};

}  // namespace orbline
