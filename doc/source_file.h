#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/line_reader.h"

namespace orbline {

class Document;

// One source file being read by a reader, with its pair of error codes: one for a missing file,
// one for every other failure. Each failure is reported once, through the document.
class SourceFile {
 public:
  // Opens `name`; when that fails, reports notFoundCode or otherCode (with `arg` for the message)
  // and is not open.
  SourceFile(Document& doc, std::string_view name, int notFoundCode, int otherCode, int arg = 0);

  bool open() const { return file_ != nullptr; }
  // The next line without its line end; false at the end of the file and after a read error.
  bool Next(std::string_view* line);
  // Closes the file early, before a reader reports a fault in its contents.
  void Close() { file_.reset(); }
  // True once opening or reading failed (and was reported).
  bool failed() const { return failed_; }

 private:
  Document& doc_;
  std::unique_ptr<LineFile> file_;
  int otherCode_;
  int arg_;
  bool failed_ = false;
};

}  // namespace orbline
