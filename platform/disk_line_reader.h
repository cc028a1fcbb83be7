#pragma once

#include <string>

#include "platform/line_reader.h"

namespace orbline {

// Reads source files from a folder on disk.
class DiskLineReader : public LineReader {
 public:
  // `folder` is where bare names are looked up; empty means the process's current folder.
  explicit DiskLineReader(std::string folder = {});

  const std::string& folder() const { return folder_; }
  void set_folder(std::string folder) { folder_ = std::move(folder); }

  std::unique_ptr<LineFile> Open(std::string_view name, FileStatus* status) override;

 private:
  std::string folder_;
};

}  // namespace orbline
