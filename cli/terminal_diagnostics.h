#pragma once

#include <cstdio>
#include <string>

#include "platform/message_sink.h"

namespace orbline {

struct FormatSettings;

// Shows every message box as one UTF-8 line on a terminal stream. A numbered error reads
// "error 44: <message>", each line break of the message becoming one space, and is prefixed with
// "<file>:<line>: " where the code names a line of a source file, so editors can jump to it.
class TerminalDiagnostics : public MessageSink {
 public:
  // `sourceFolder` is prefixed to file names ("" for none); `settings` tells which timetable file
  // and line a train number means, and must outlive this sink.
  TerminalDiagnostics(std::FILE* out, std::string sourceFolder, const FormatSettings& settings)
      : out_(out), folder_(std::move(sourceFolder)), settings_(settings) {}

  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
  void ShowError(int code, int a, int b, std::string_view boxText) override;

  int count() const { return count_; }

 private:
  std::FILE* out_;
  std::string folder_;
  const FormatSettings& settings_;
  int count_ = 0;
};

// "<file>:<line>" of the source line an error names, or "" when it names none. `top` and
// `weekkind` are the settings the file was read with.
std::string ErrorLocation(int code, int a, int b, int top, int weekkind);

}  // namespace orbline
