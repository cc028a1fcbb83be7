#include "view/view_commands.h"

#include "compiler/compile_command.h"
#include "doc/document.h"

namespace orbline {

ViewCommands::ViewCommands(Document& doc, ViewState& state, std::function<void()> repaint)
    : doc_(doc), state_(state), repaint_(std::move(repaint)) {}

void ViewCommands::Test(int mode) {
  if (mode < ViewState::kModeRouteInfo || mode > ViewState::kModeTimetable) return;
  state_.displayMode = mode;
  doc_.ResetTables();
  // A reader that fails has shown its message; the display shows what the tables hold.
  switch (mode) {
    case ViewState::kModeRouteInfo: doc_.ReadInfo(); break;
    case ViewState::kModeKinds: doc_.ReadKinds(); break;
    case ViewState::kModeStations: doc_.ReadStations(); break;
    case ViewState::kModeTimetable: doc_.ReadTimetables(); break;
    default: doc_.ReadMap(); break;
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

bool ViewCommands::Compile() { return RunCompileCommand(doc_); }

}  // namespace orbline
