#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "view/view_state.h"

namespace orbline {

class Document;

// The commands the view handles, without a window: each changes the state, re-reads what its
// display needs and asks for a repaint, in that order.
// The source files that the test command of display `mode` reads, under day-type scheme `weekkind`:
// the scheme's timetable files for the timetable listing, none for a mode or scheme out of range.
std::vector<std::string> SourceFilesOf(int mode, int weekkind);

class ViewCommands {
 public:
  // `repaint` is asked for after every command whose effect ends in a repaint.
  ViewCommands(Document& doc, ViewState& state, const Services& services, std::function<void()> repaint);

  // The test command of display `mode` (1..7): sets the mode, empties the document, reads the
  // mode's file(s), reporting faults to `findings`, and repaints whatever the reader returned.
  void Test(int mode) { Test(mode, services_.findings); }
  void Test(int mode, FindingSink& findings);
  // Map page 1..12; nothing is read again.
  void SelectPage(int page);
  void ToggleGrid();
  // The compile command; neither the mode nor the display changes. True when the file was written.
  bool Compile();

 private:
  Document& doc_;
  ViewState& state_;
  Services services_;
  std::function<void()> repaint_;
};

}  // namespace orbline
