// ReadInfo and ReadKinds: info.txt (route information) and kind.txt (train kinds).
#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_file.h"
#include "document/source_file_names.h"
#include "document/source_reader.h"

namespace orbline {

bool SourceReader::ReadInfo() {
  SourceFile file(*this, std::string(kInfoFile), SourceFile::Kind::kText, kErrInfoNotFound, kErrInfoUnknown);
  if (!file.open()) return false;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  std::string_view line;
  auto& texts = doc_.routeInfo.texts;
  // Lines 1..5: route name, version, author, effective date, first line of the remarks.
  for (int i = 0; i < kRouteInfoCount && file.Next(&line); ++i) texts[i] = split.Split(line, true);
  // Lines 6..25 are appended to the remarks, each after a CR LF; later lines are ignored.
  int j = 0;
  for (; j < RouteInfo::kMaxRemarksLines && file.Next(&line); ++j) {
    Text& remarks = texts[RouteInfo::kRemarks];
    remarks += "\r\n";
    remarks += split.Split(line, true);
  }
  if (j == RouteInfo::kMaxRemarksLines) file.WarnDroppedLines(kRouteInfoCount + RouteInfo::kMaxRemarksLines);
  return !file.failed();
}

bool SourceReader::ReadKinds() {
  SourceFile file(*this, std::string(kKindFile), SourceFile::Kind::kFields, kErrKindNotFound, kErrKindUnknown);
  if (!file.open()) return false;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  std::string_view line;
  int i = 0;
  for (; i < kKindCapacity && file.Next(&line); ++i) {
    Kind& kind = doc_.kinds[i];
    // Red, green, blue: the low 8 bits of each.
    int32_t rgb[3];
    for (int32_t& c : rgb) c = split.SplitInt(line);
    file.CheckNumbers(split);
    for (int32_t c : rgb)
      if (c < 0 || c > 255) {
        file.Report(kWarnColour, c, c & 0xFF);
        break;
      }
    kind.colour = Rgb(rgb[0], rgb[1], rgb[2]);
    for (Text& t : kind.texts) t = split.Split(line, true);
    kind.line = file.line();
  }
  if (i == kKindCapacity) file.WarnDroppedLines(kKindCapacity);
  return !file.failed();
}

}  // namespace orbline
