#include "document/source_file.h"

#include <cstring>

#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_reader.h"
#include "platform/sjis.h"

namespace orbline {

SourceFile::SourceFile(SourceReader& reader, std::string name, Kind kind, int notFoundCode, int otherCode, int arg)
    : reader_(reader), name_(std::move(name)), kind_(kind), otherCode_(otherCode), arg_(arg) {
  FileStatus status = FileStatus::kOtherError;
  file_ = reader_.files().Open(name_, &status);
  if (!file_) {
    failed_ = true;
    Report(status == FileStatus::kNotFound ? notFoundCode : otherCode, arg, 0);
  }
}

SourceFile::~SourceFile() = default;

bool SourceFile::Read(std::string_view* line) {
  if (!file_ || failed_) return false;
  switch (file_->ReadLine(line)) {
    case LineFile::Result::kLine: ++line_; return true;
    case LineFile::Result::kEnd: return false;
    case LineFile::Result::kError: break;
  }
  failed_ = true;
  file_.reset();  // closed before the box, so the author can fix the file while it shows
  reader_.ReportError(otherCode_, arg_, 0, name_, 0);
  return false;
}

bool SourceFile::Skip() {
  std::string_view ignored;
  return Read(&ignored);
}

bool SourceFile::Next(std::string_view* line) {
  if (!Read(line)) return false;
  if (!encodingWarned_) CheckEncoding(*line);
  if (kind_ == Kind::kFields && !separatorWarned_) CheckSeparator(*line);
  return true;
}

void SourceFile::CheckEncoding(std::string_view line) {
  if ((line_ == 1 && StartsWithUtf8Mark(line)) || ReadsOnlyAsUtf8(line)) {
    encodingWarned_ = true;
    Report(kWarnUtf8);
  }
}

void SourceFile::CheckSeparator(std::string_view line) {
  const Document& doc = reader_.doc();
  // Fixed-width fields have no separator; an empty line has no fields.
  if (doc.settings.kugiri == FormatSettings::kFixedWidth || doc.delimiter.empty() || line.empty()) return;
  if (line.find(doc.delimiter[0]) != std::string_view::npos) return;
  // None of the separator the settings name: a tab or a comma, or blanks between the numbers,
  // says the file was written for other settings.
  for (char other : {'\t', ',', ' '})
    if (other != doc.delimiter[0] && line.find(other) != std::string_view::npos) {
      separatorWarned_ = true;
      Report(kWarnSeparator);
      return;
    }
}

void SourceFile::CheckNumbers(FieldSplitter& split) {
  if (split.TakeWideDigit() && !digitsWarned_) {
    digitsWarned_ = true;
    Report(kWarnWideDigits);
  }
}

void SourceFile::WarnDroppedLines(int limit) {
  std::string_view line;
  while (Read(&line))
    if (!TrimBlanks(line).empty()) {
      Report(kWarnLinesDropped, limit);
      return;
    }
}

bool SourceFile::Reject(int code, int a, int b) {
  if (!reader_.keepGoing()) file_.reset();
  Report(code, a, b);
  return reader_.keepGoing();
}

void SourceFile::Report(int code, int a, int b) { reader_.ReportError(code, a, b, name_, line_); }

}  // namespace orbline
