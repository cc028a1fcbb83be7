// ReadMap: map.txt, one item a line.
#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_file.h"
#include "document/source_files.h"
#include "document/source_reader.h"

namespace orbline {

int SourceReader::ReadMap() {
  WaitCursorGuard wait(waitCursor_);
  SourceFile file(*this, std::string(kMapFile), SourceFile::Kind::kFields, kErrMapNotFound, kErrMapUnknown);
  if (!file.open()) return 0;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  std::string_view line;
  // No value is checked here; lines after the 2000th are never read.
  int i = 0;
  for (; i < kMapItemCapacity && file.Next(&line); ++i) {
    for (int k = 0; k < kMapValueCount; ++k) doc_.mapValues[i][k] = static_cast<uint16_t>(split.SplitInt(line));
    file.CheckNumbers(split);
    doc_.mapTexts[i] = split.Split(line, true);
    doc_.mapLines[i] = file.line();
  }
  if (i == kMapItemCapacity) file.WarnDroppedLines(kMapItemCapacity);
  return file.failed() ? 0 : 1;
}

}  // namespace orbline
