#pragma once

#include <string>

#include "platform/save_name_prompt.h"

namespace orbline {

// Answers every prompt with one path chosen beforehand, or cancels; for the command line and
// tests. It keeps the last request it was given.
class FixedSavePrompt : public SaveNamePrompt {
 public:
  // Answers with `path` split into its folder ("" for a bare name) and file name.
  explicit FixedSavePrompt(const std::string& path) { SetPath(path); }
  // Cancels every prompt.
  FixedSavePrompt() = default;

  void SetPath(const std::string& path) {
    size_t slash = path.rfind('/');
    choice_.folder = slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
    choice_.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    cancel_ = false;
  }
  void SetCancel() { cancel_ = true; }

  bool Ask(const Request& request, Choice* choice) override {
    lastRequest = request;
    ++asked;
    if (cancel_) return false;
    *choice = choice_;
    return true;
  }

  Request lastRequest;
  int asked = 0;

 private:
  Choice choice_;
  bool cancel_ = true;
};

}  // namespace orbline
