// ReadStations: eki.txt, one station a line.
#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_file.h"
#include "document/source_file_names.h"
#include "document/source_reader.h"

namespace orbline {

bool SourceReader::ReadStations() {
  SourceFile file(*this, std::string(kEkiFile), SourceFile::Kind::kFields, kErrEkiNotFound, kErrEkiUnknown);
  if (!file.open()) return false;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  std::string_view line;
  bool result = true;
  // At most 300 lines are read; a line rejected while going on leaves its row to the next line.
  int n = 0;
  for (int row = 0; n < kStationCapacity && file.Next(&line); ++n) {
    Station& s = doc_.stations[row];
    for (uint16_t& v : s.values) v = static_cast<uint16_t>(split.SplitInt(line));
    file.CheckNumbers(split);
    s.label = split.Split(line, false);
    s.name = split.Split(line, true);
    s.note = split.Split(line, true);
    s.line = file.line();
    // The ratio is checked first, so a line with both faults is reported as a bad ratio.
    const int fault = s.ratio() > kMaxRatio ? kErrEkiRatio : s.name.empty() ? kErrEkiNameBlank : 0;
    if (fault == 0) {
      ++row;
      continue;
    }
    result = false;
    // Stopping, the row stays stored as read.
    if (!file.Reject(fault, file.line(), 0)) return false;
    s.Reset();
  }
  if (n == kStationCapacity) file.WarnDroppedLines(kStationCapacity);
  return !file.failed() && result;
}

}  // namespace orbline
