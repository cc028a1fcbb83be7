#pragma once

#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/finding.h"
#include "platform/line_reader.h"
#include "platform/wait_cursor.h"

namespace orbline {

class Document;

struct ReadOptions {
  // Going on: a line that a check rejects is reported and left out of the table, and reading goes
  // on with the next line (a check of the whole line). Otherwise reading stops at the first fault,
  // whose row stays in the table, as the compile command and the test displays read.
  bool keepGoing = false;
};

// Reads the line's source files into a document, with the document's settings, reporting every
// fault where it is found. Each Read* returns 1 when its file(s) were read without an error and
// 0 after reporting one; they never empty the tables themselves.
class SourceReader {
 public:
  SourceReader(Document& doc, LineReader& files, FindingSink& findings, WaitCursor& waitCursor,
               ReadOptions options = {});

  int ReadInfo();
  int ReadKinds();
  int ReadStations();
  int ReadMap();
  // The timetable files that the day-type scheme names, into the three day types.
  int ReadTimetables();
  // "data<fileNumber>.txt" into day type `dayType`.
  int ReadTimetableFile(int fileNumber, int dayType);

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
  WaitCursor& waitCursor_;
  ReadOptions options_;
  std::set<std::tuple<std::string, int, int, int, int>> reported_;
};

}  // namespace orbline
