#pragma once

#include <string>

namespace orbline {

enum class Severity { kError, kWarning };

// One fault or warning about a line's source files, made where it is found.
struct Finding {
  Severity severity = Severity::kError;
  int code = 0;
  int a = 0, b = 0;     // the numbers put into the message
  std::string file;     // the source file's name in the line's folder ("eki.txt"); empty for none
  int line = 0;         // 1-based line of that file; 0 when the finding is about the whole file
  std::string message;  // Shift_JIS, as the stop box shows it after "error <code>"
  std::string detail;   // for the command line only, such as a path and the system's reason

  bool IsError() const { return severity == Severity::kError; }
  // "error <code>", an empty line, then the message: the text of the stop box.
  std::string BoxText() const { return "error " + std::to_string(code) + "\n\n" + message; }
};

// Where findings go: the window shows a box for each error, the command line prints each one, a
// check of the whole line collects them.
class FindingSink {
 public:
  virtual ~FindingSink() = default;
  virtual void Report(const Finding& finding) = 0;
};

}  // namespace orbline
