#include "doc/source_file.h"

#include "doc/document.h"

namespace orbline {

SourceFile::SourceFile(Document& doc, std::string_view name, int notFoundCode, int otherCode, int arg)
    : doc_(doc), otherCode_(otherCode), arg_(arg) {
  FileStatus status = FileStatus::kOtherError;
  file_ = doc_.services().files.Open(name, &status);
  if (!file_) {
    failed_ = true;
    doc_.ReportError(status == FileStatus::kNotFound ? notFoundCode : otherCode, arg, 0);
  }
}

bool SourceFile::Next(std::string_view* line) {
  if (!file_ || failed_) return false;
  switch (file_->ReadLine(line)) {
    case LineFile::Result::kLine:
      return true;
    case LineFile::Result::kEnd:
      return false;
    case LineFile::Result::kError:
      break;
  }
  failed_ = true;
  file_.reset();  // closed before the box, so the author can fix the file while it shows
  doc_.ReportError(otherCode_, arg_, 0);
  return false;
}

}  // namespace orbline
