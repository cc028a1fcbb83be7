#pragma once

#include <string_view>

#include "platform/finding.h"

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

// Shows each error in the stop box, "error <code>", an empty line and the message; warnings show
// no box.
class BoxFindings : public FindingSink {
 public:
  explicit BoxFindings(MessageSink& messages) : messages_(messages) {}
  void Report(const Finding& finding) override {
    if (finding.IsError()) messages_.Show(finding.BoxText(), {}, MessageIcon::kStop);
  }

 private:
  MessageSink& messages_;
};

}  // namespace orbline
