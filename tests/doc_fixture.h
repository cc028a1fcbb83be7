#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "doc/document.h"
#include "platform/memory_line_reader.h"
#include "platform/memory_profile_store.h"
#include "platform/recording_message_sink.h"
#include "platform/sjis.h"
#include "platform/wait_cursor.h"

namespace orbline {

// Shift_JIS bytes of a UTF-8 literal, made with the system's converter, independently of the
// program's own tables.
inline std::string Sjis(std::string_view utf8) { return Utf8ToSjis(utf8); }

// Counts how the readers use the wait cursor.
class CountingWaitCursor : public WaitCursor {
 public:
  int shows = 0;
  int hides = 0;

 protected:
  void Show(bool busy) override { (busy ? shows : hides)++; }
};

// A document over in-memory files, profile and message boxes.
class DocTest : public ::testing::Test {
 protected:
  MemoryLineReader files;
  MemoryProfileStore profile;
  RecordingMessageSink messages;
  CountingWaitCursor waitCursor;
  std::unique_ptr<Document> doc;

  // Makes the document; call after the profile is set up.
  Document& MakeDoc() {
    doc = std::make_unique<Document>(Services{files, profile, messages, waitCursor});
    return *doc;
  }

  void SetUp() override { MakeDoc(); }

  // Switches the separation mode as the settings dialog does.
  void UseSeparation(int kugiri, int kankaku = 5) {
    doc->settings.kugiri = kugiri;
    doc->settings.kankaku = kankaku;
    doc->DeriveDelimiter();
  }

  // The one box shown so far, as "error N\n\n<message>" in Shift_JIS; fails if not exactly one.
  std::string OnlyMessage() const {
    EXPECT_EQ(messages.messages().size(), 1u);
    return messages.messages().empty() ? std::string() : messages.messages()[0].text;
  }

  // The expected box text for a message written in UTF-8.
  static std::string Box(int code, std::string_view utf8Message) {
    return "error " + std::to_string(code) + "\n\n" + Sjis(utf8Message);
  }
};

}  // namespace orbline
