#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orbline {

// How opening or reading a source file went. The readers tell only "not found" apart from every
// other failure (a directory in the file's place, no permission, a read error).
enum class FileStatus { kOk, kNotFound, kOtherError };

// One source file opened for reading, line by line.
class LineFile {
 public:
  enum class Result { kLine, kEnd, kError };

  virtual ~LineFile() = default;

  // Yields the next line as raw bytes without its line end (LF, or CR LF as one break). A last
  // line without a line end still counts; a final line break adds no empty line. The view stays
  // valid until the next call. kError means the file could not be read further.
  virtual Result ReadLine(std::string_view* line) = 0;
};

// Opens source files by bare name ("info.txt") relative to the working folder.
class LineReader {
 public:
  virtual ~LineReader() = default;

  // Returns the open file, or null with *status saying why not.
  virtual std::unique_ptr<LineFile> Open(std::string_view name, FileStatus* status) = 0;

  // Where `name` is on disk, for files that are kept there.
  virtual std::optional<std::filesystem::path> PathOf(std::string_view /*name*/) const { return std::nullopt; }
};

}  // namespace orbline
