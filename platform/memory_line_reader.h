#pragma once

#include <map>
#include <string>

#include "platform/line_reader.h"

namespace orbline {

// Source files held in memory, for tests: each name maps to its bytes, or to a failure.
class MemoryLineReader : public LineReader {
 public:
  // Files are read through a buffer of `bufferSize` bytes; the small default makes tests cross
  // buffer boundaries with short lines.
  explicit MemoryLineReader(size_t bufferSize = 7) : bufferSize_(bufferSize) {}

  // The file `name` holds `bytes`.
  void Set(std::string name, std::string bytes);
  // The file `name` opens, then fails to read once `failAfter` bytes were delivered.
  void SetFailingRead(std::string name, std::string bytes, size_t failAfter);
  // Opening `name` fails with `status` (kNotFound, kOtherError).
  void SetOpenFailure(std::string name, FileStatus status);
  // Forgets every file.
  void Clear() { files_.clear(); }

  std::unique_ptr<LineFile> Open(std::string_view name, FileStatus* status) override;

  // How many times each name was opened.
  int OpenCount(const std::string& name) const;

 private:
  struct Entry {
    std::string bytes;
    size_t failAfter = std::string::npos;
    FileStatus openStatus = FileStatus::kOk;
  };
  size_t bufferSize_;
  std::map<std::string, Entry, std::less<>> files_;
  std::map<std::string, int, std::less<>> opens_;
};

}  // namespace orbline
