#pragma once

#include <cstdio>

#include "platform/message_sink.h"

namespace orbline {

// Prints each message box as one UTF-8 line: "error 44: <message>", every line break of the
// message becoming one space.
class TerminalMessageSink : public MessageSink {
 public:
  explicit TerminalMessageSink(std::FILE* out) : out_(out) {}
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
  int count() const { return count_; }

 private:
  std::FILE* out_;
  int count_ = 0;
};

// The box text as one line (see TerminalMessageSink), still in Shift_JIS.
std::string OneLineMessage(std::string_view boxText);

}  // namespace orbline
