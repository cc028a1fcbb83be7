#include "document/display_mode.h"

#include <algorithm>

#include "document/day_type_scheme.h"
#include "document/source_file_names.h"

namespace orbline {

std::vector<std::string> SourceFilesOf(int mode, int weekkind) {
  switch (mode) {
    case kModeRouteInfo: return {std::string(kInfoFile)};
    case kModeKinds: return {std::string(kKindFile)};
    case kModeStations: return {std::string(kEkiFile)};
    case kModeBirdsEye:
    case kModeDiagram:
    case kModeRouteMap: return {std::string(kMapFile)};
    case kModeTimetable: break;
    default: return {};
  }
  std::vector<std::string> names;
  for (int day = 0; day < kDayTypeCount; ++day) {
    const int file = TimetableFileFor(weekkind, day);
    if (file == 0) break;
    const std::string name = TimetableFileName(file);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

}  // namespace orbline
