// ReadStations: eki.txt, one station a line.
#include "doc/document.h"
#include "doc/error_code.h"
#include "doc/field_splitter.h"
#include "doc/number.h"
#include "doc/source_file.h"

namespace orbline {

int Document::ReadStations() {
  WaitCursorGuard wait(services_.waitCursor);
  SourceFile file(*this, "eki.txt", kErrEkiNotFound, kErrEkiUnknown);
  if (!file.open()) return 0;
  const FieldSplitter split(settings, delimiter);
  std::string_view line;
  for (int i = 0; i < kStationCapacity && file.Next(&line); ++i) {
    auto& values = stationValues[i];
    for (int k = 0; k < kStationValueCount; ++k) values[k] = static_cast<uint16_t>(split.SplitInt(line));
    auto& texts = stationTexts[i];
    texts[station::kLabel] = split.Split(line, false);
    texts[station::kName] = split.Split(line, true);
    texts[station::kNote] = split.Split(line, true);
    // The row stays stored when it is rejected. The ratio is checked first, so a line with both
    // faults is reported as a bad ratio.
    if (values[station::kRatio] > kMaxRatio) {
      file.Close();
      ReportError(kErrEkiRatio, i + 1, 0);
      return 0;
    }
    if (texts[station::kName].empty()) {
      file.Close();
      ReportError(kErrEkiNameBlank, i + 1, 0);
      return 0;
    }
  }
  return file.failed() ? 0 : 1;
}

}  // namespace orbline
