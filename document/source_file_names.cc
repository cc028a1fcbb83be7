#include "document/source_file_names.h"

namespace orbline {

std::string TimetableFileName(int fileNumber) { return "data" + std::to_string(fileNumber) + ".txt"; }

const std::array<std::string, 4 + kTimetableFileCount>& SourceFileNames() {
  static const std::array<std::string, 4 + kTimetableFileCount> names = {
      std::string(kInfoFile), std::string(kKindFile), std::string(kEkiFile), std::string(kMapFile),
      TimetableFileName(1),   TimetableFileName(2),   TimetableFileName(3)};
  return names;
}

int ReadingOrder(std::string_view name) {
  const auto& names = SourceFileNames();
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  return static_cast<int>(names.size());
}

}  // namespace orbline
