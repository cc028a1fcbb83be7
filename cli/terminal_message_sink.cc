#include "cli/terminal_message_sink.h"

#include <string>

#include "platform/sjis.h"

namespace orbline {

std::string OneLineMessage(std::string_view boxText) {
  std::string line(boxText);
  // "error N" and the message are parted by an empty line in the box.
  size_t gap = line.find("\n\n");
  if (gap != std::string::npos) line.replace(gap, 2, ": ");
  for (char& c : line)
    if (c == '\n') c = ' ';
  return line;
}

void TerminalMessageSink::Show(std::string_view text, std::string_view caption, MessageIcon) {
  ++count_;
  std::string line = SjisToUtf8(OneLineMessage(text));
  if (!caption.empty()) line = SjisToUtf8(caption) + ": " + line;
  std::fprintf(out_, "%s\n", line.c_str());
}

}  // namespace orbline
