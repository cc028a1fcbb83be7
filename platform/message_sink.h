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
};

}  // namespace orbline
