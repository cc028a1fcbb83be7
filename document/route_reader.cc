// ReadInfo and ReadKinds: info.txt (route information) and kind.txt (train kinds).
#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_file.h"
#include "document/source_files.h"
#include "document/source_reader.h"

namespace orbline {

int SourceReader::ReadInfo() {
  WaitCursorGuard wait(waitCursor_);
  SourceFile file(*this, std::string(kInfoFile), SourceFile::Kind::kText, kErrInfoNotFound, kErrInfoUnknown);
  if (!file.open()) return 0;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  std::string_view line;
  // Lines 1..5: route name, version, author, effective date, first line of the remarks.
  for (int i = 0; i < kRouteInfoCount && file.Next(&line); ++i) doc_.routeInfo[i] = split.Split(line, true);
  // Lines 6..25 are appended to the remarks, each after a CR LF; later lines are ignored.
  int j = 0;
  for (; j < route::kMaxRemarksLines && file.Next(&line); ++j) {
    Text& remarks = doc_.routeInfo[route::kRemarks];
    remarks += "\r\n";
    remarks += split.Split(line, true);
  }
  if (j == route::kMaxRemarksLines) file.WarnDroppedLines(kRouteInfoCount + route::kMaxRemarksLines);
  return file.failed() ? 0 : 1;
}

int SourceReader::ReadKinds() {
  WaitCursorGuard wait(waitCursor_);
  SourceFile file(*this, std::string(kKindFile), SourceFile::Kind::kFields, kErrKindNotFound, kErrKindUnknown);
  if (!file.open()) return 0;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  std::string_view line;
  int i = 0;
  for (; i < kKindCapacity && file.Next(&line); ++i) {
    // Red, green, blue: the low 8 bits of each.
    int32_t rgb[3];
    for (int32_t& c : rgb) c = split.SplitInt(line);
    file.CheckNumbers(split);
    for (int32_t c : rgb)
      if (c < 0 || c > 255) {
        file.Report(kWarnColour, c, c & 0xFF);
        break;
      }
    doc_.kindColour[i] = uint32_t(rgb[0] & 0xFF) + uint32_t(rgb[1] & 0xFF) * 256 + uint32_t(rgb[2] & 0xFF) * 65536;
    doc_.kindTexts[i][kind::kText1] = split.Split(line, true);
    doc_.kindTexts[i][kind::kText2] = split.Split(line, true);
  }
  if (i == kKindCapacity) file.WarnDroppedLines(kKindCapacity);
  return file.failed() ? 0 : 1;
}

}  // namespace orbline
