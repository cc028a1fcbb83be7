// ReadMap: map.txt, one item a line.
#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_file.h"
#include "document/source_file_names.h"
#include "document/source_reader.h"

namespace orbline {

bool SourceReader::ReadMap() {
  SourceFile file(*this, std::string(kMapFile), SourceFile::Kind::kFields, kErrMapNotFound, kErrMapUnknown);
  if (!file.open()) return false;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  std::string_view line;
  // No value is checked here; lines after the 2000th are never read.
  int i = 0;
  for (; i < kMapItemCapacity && file.Next(&line); ++i) {
    MapItem& item = doc_.mapItems[i];
    for (uint16_t& v : item.values) v = static_cast<uint16_t>(split.SplitInt(line));
    file.CheckNumbers(split);
    item.text = split.Split(line, true);
    item.line = file.line();
  }
  if (i == kMapItemCapacity) file.WarnDroppedLines(kMapItemCapacity);
  return !file.failed();
}

}  // namespace orbline
