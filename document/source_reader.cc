#include "document/source_reader.h"

#include "document/display_mode.h"
#include "document/document.h"
#include "document/error_code.h"

namespace orbline {

SourceReader::SourceReader(Document& doc, LineReader& files, FindingSink& findings, ReadOptions options)
    : doc_(doc), files_(files), findings_(findings), options_(options) {}

void SourceReader::ReportError(int code, int a, int b, std::string_view file, int line) {
  if (!reported_.emplace(std::string(file), line, code, a, b).second) return;
  findings_.Report(MakeFinding(code, a, b, file, line));
}

bool ReadForDisplay(Document& doc, LineReader& files, FindingSink& findings, int mode) {
  doc.ResetTables();
  SourceReader reader(doc, files, findings);
  switch (mode) {
    case kModeRouteInfo: return reader.ReadInfo();
    case kModeKinds: return reader.ReadKinds();
    case kModeStations: return reader.ReadStations();
    case kModeBirdsEye:
    case kModeDiagram:
    case kModeRouteMap: return reader.ReadMap();
    case kModeTimetable: return reader.ReadTimetables();
    default: return true;
  }
}

}  // namespace orbline
