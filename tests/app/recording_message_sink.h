#pragma once

#include <string>
#include <vector>

#include "app/message_sink.h"

namespace orbline {

// Keeps every message instead of showing it, for tests and batch runs.
class RecordingMessageSink : public MessageSink {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
  };

  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override {
    messages_.push_back({std::string(text), std::string(caption), icon});
  }

  const std::vector<Message>& messages() const { return messages_; }
  void Clear() { messages_.clear(); }

 private:
  std::vector<Message> messages_;
};

}  // namespace orbline
