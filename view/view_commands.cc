#include "view/view_commands.h"

#include <algorithm>

#include "compiler/compile_command.h"
#include "document/day_type_scheme.h"
#include "document/document.h"
#include "document/source_files.h"
#include "document/source_reader.h"

namespace orbline {

std::vector<std::string> SourceFilesOf(int mode, int weekkind) {
  switch (mode) {
    case ViewState::kModeRouteInfo: return {std::string(kInfoFile)};
    case ViewState::kModeKinds: return {std::string(kKindFile)};
    case ViewState::kModeStations: return {std::string(kEkiFile)};
    case ViewState::kModeBirdsEye:
    case ViewState::kModeDiagram:
    case ViewState::kModeRouteMap: return {std::string(kMapFile)};
    case ViewState::kModeTimetable: break;
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

ViewCommands::ViewCommands(Document& doc, ViewState& state, const Services& services, std::function<void()> repaint)
    : doc_(doc), state_(state), services_(services), repaint_(std::move(repaint)) {}

void ViewCommands::Test(int mode, FindingSink& findings) {
  if (mode < ViewState::kModeRouteInfo || mode > ViewState::kModeTimetable) return;
  state_.displayMode = mode;
  doc_.ResetTables();
  SourceReader reader(doc_, services_.files, findings, services_.waitCursor);
  // A reader that fails has reported its fault; the display shows what the tables hold.
  switch (mode) {
    case ViewState::kModeRouteInfo: reader.ReadInfo(); break;
    case ViewState::kModeKinds: reader.ReadKinds(); break;
    case ViewState::kModeStations: reader.ReadStations(); break;
    case ViewState::kModeTimetable: reader.ReadTimetables(); break;
    default: reader.ReadMap(); break;
  }
  repaint_();
}

void ViewCommands::SelectPage(int page) {
  if (page < 1 || page > ViewState::kPageCount) return;
  state_.eria = page;
  repaint_();
}

void ViewCommands::ToggleGrid() {
  state_.grid = state_.grid == 0 ? 1 : 0;
  repaint_();
}

bool ViewCommands::Compile() { return RunCompileCommand(doc_, services_); }

}  // namespace orbline
