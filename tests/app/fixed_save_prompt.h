#pragma once

#include <filesystem>
#include <string>

#include "app/save_name_prompt.h"
#include "platform/utf8_path.h"

namespace orbline {

// Answers every prompt with one path chosen beforehand, or cancels. It keeps the last request it was given.
class FixedSavePrompt : public SaveNamePrompt {
 public:
  // Answers with `path` split into its folder ("" for a bare name) and file name.
  explicit FixedSavePrompt(const std::filesystem::path& path) { SetPath(path); }
  // Cancels every prompt.
  FixedSavePrompt() = default;

  void SetPath(const std::filesystem::path& path) {
    choice_.folder = path.parent_path();
    choice_.fileName = Utf8(path.filename());
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
