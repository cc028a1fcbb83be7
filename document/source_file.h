#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/line_reader.h"

namespace orbline {

class FieldSplitter;
class SourceReader;

// One source file being read, with its pair of error codes: one for a missing file, one for every
// other failure, each reported once. It counts lines, so that every fault names its line, and
// warns (once per file) about text that only UTF-8 can read and about lines cut by another
// separator than the settings name.
class SourceFile {
 public:
  enum class Kind { kText, kFields };  // kFields: lines are cut into several fields

  // Opens `name`; when that fails, reports notFoundCode or otherCode (with `arg` for the message)
  // and is not open.
  SourceFile(SourceReader& reader, std::string name, Kind kind, int notFoundCode, int otherCode, int arg = 0);
  ~SourceFile();

  bool open() const { return file_ != nullptr; }
  // The next line without its line end; false at the end of the file and after a read error.
  bool Next(std::string_view* line);
  // The same for a line whose contents do not matter (a skipped first line).
  bool Skip();
  // True once opening or reading failed (and was reported).
  bool failed() const { return failed_; }
  const std::string& name() const { return name_; }
  // The 1-based number of the line Next gave last.
  int line() const { return line_; }

  // Warns when the numbers just cut off the current line were written in full-width digits.
  void CheckNumbers(FieldSplitter& split);
  // Once the table is full: warns at the first line after it that holds anything, since no line
  // from there on is read. `limit` is what the file's table holds.
  void WarnDroppedLines(int limit);
  // Reports a fault of the current line. Stopping at the first fault, the file is closed first
  // (so the author can mend it while the box shows) and false is returned; going on, true.
  bool Reject(int code, int a, int b);
  // Reports a finding about the current line.
  void Report(int code, int a = 0, int b = 0);

 private:
  // The next line as it is, counted; a read error is reported.
  bool Read(std::string_view* line);
  void CheckEncoding(std::string_view line);
  void CheckSeparator(std::string_view line);

  SourceReader& reader_;
  std::string name_;
  Kind kind_;
  std::unique_ptr<LineFile> file_;
  int otherCode_;
  int arg_;
  int line_ = 0;
  bool failed_ = false;
  bool encodingWarned_ = false;
  bool separatorWarned_ = false;
  bool digitsWarned_ = false;
};

}  // namespace orbline
