#pragma once

#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/finding.h"
#include "platform/line_reader.h"

namespace orbline {

class Document;

struct ReadOptions {
  // Going on: a line that a check rejects is reported and left out of the table, and reading goes
  // on with the next line (a check of the whole route). Otherwise reading stops at the first fault,
  // whose row stays in the table, as the compile command and the test displays read.
  bool keepGoing = false;
};

// Reads the route's source files into a document, with the document's settings, reporting every
// fault where it is found. Each Read* returns true when its file(s) were read without an error, and
// false after reporting one; they never empty the tables themselves.
class SourceReader {
 public:
  SourceReader(Document& doc, LineReader& files, FindingSink& findings, ReadOptions options = {});

  bool ReadInfo();
  bool ReadKinds();
  bool ReadStations();
  bool ReadMap();
  // The timetable files that the day-type scheme names, into the three day types.
  bool ReadTimetables();
  // "data<fileNumber>.txt" into day type `dayType`.
  bool ReadTimetableFile(int fileNumber, int dayType);
  // Reports `code` at `line` of `file` (0: the whole file). A finding this reader has already
  // reported (from a file read again for another day type) is not repeated.
  void ReportError(int code, int a, int b, std::string_view file, int line);

  Document& doc() { return doc_; }
  LineReader& files() { return files_; }
  bool keepGoing() const { return options_.keepGoing; }

 private:
  Document& doc_;
  LineReader& files_;
  FindingSink& findings_;
  ReadOptions options_;
  std::set<std::tuple<std::string, int, int, int, int>> reported_;
};

// The test command of display `mode` (1..7): empties the tables and reads the files that display
// shows, stopping at the first fault, which has been reported; the tables keep what was read. False
// after a fault; nothing is read for another mode.
bool ReadForDisplay(Document& doc, LineReader& files, FindingSink& findings, int mode);

}  // namespace orbline
