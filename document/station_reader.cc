// ReadStations: eki.txt, one station a line.
#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_file.h"
#include "document/source_files.h"
#include "document/source_reader.h"

namespace orbline {

int SourceReader::ReadStations() {
  WaitCursorGuard wait(waitCursor_);
  SourceFile file(*this, std::string(kEkiFile), SourceFile::Kind::kFields, kErrEkiNotFound, kErrEkiUnknown);
  if (!file.open()) return 0;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  std::string_view line;
  int result = 1;
  // At most 300 lines are read; a line rejected while going on leaves its row to the next line.
  int n = 0;
  for (int row = 0; n < kStationCapacity && file.Next(&line); ++n) {
    auto& values = doc_.stationValues[row];
    for (int k = 0; k < kStationValueCount; ++k) values[k] = static_cast<uint16_t>(split.SplitInt(line));
    file.CheckNumbers(split);
    auto& texts = doc_.stationTexts[row];
    texts[station::kLabel] = split.Split(line, false);
    texts[station::kName] = split.Split(line, true);
    texts[station::kNote] = split.Split(line, true);
    doc_.stationLines[row] = file.line();
    // The ratio is checked first, so a line with both faults is reported as a bad ratio.
    const int fault = values[station::kRatio] > kMaxRatio       ? kErrEkiRatio
                      : texts[station::kName].empty() ? kErrEkiNameBlank
                                                             : 0;
    if (fault == 0) {
      ++row;
      continue;
    }
    result = 0;
    // Stopping, the row stays stored as read.
    if (!file.Reject(fault, file.line(), 0)) return 0;
    values.fill(0);
    for (Text& t : texts) t.clear();
    doc_.stationLines[row] = 0;
  }
  if (n == kStationCapacity) file.WarnDroppedLines(kStationCapacity);
  return file.failed() ? 0 : result;
}

}  // namespace orbline
