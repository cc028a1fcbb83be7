#pragma once

#include <string_view>

namespace orbline {

enum class MessageIcon { kStop, kInformation };

// Shows modal message boxes. Texts are Shift_JIS bytes; the sink decodes them for the screen.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` with one OK button and returns when it is closed. An empty `caption` means the
  // application's title.
  virtual void Show(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

  // A numbered error: `boxText` is what the stop box shows ("error <code>", an empty line, the
  // message with `a` and `b` put in). A sink that knows more about the codes may show it its own way.
  virtual void ShowError(int /*code*/, int /*a*/, int /*b*/, std::string_view boxText) {
    Show(boxText, {}, MessageIcon::kStop);
  }
};

}  // namespace orbline
