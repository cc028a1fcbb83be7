#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/source_reader.h"
#include "platform/finding_sinks.h"
#include "platform/memory_line_reader.h"
#include "platform/sjis.h"

namespace orbline {

// Shift_JIS bytes of a UTF-8 literal, made with the system's converter, independently of the
// program's own tables.
inline std::string Sjis(std::string_view utf8) { return Utf8ToSjis(utf8); }

// A document over in-memory files, with every finding kept.
class DocTest : public ::testing::Test {
 protected:
  MemoryLineReader files;
  FindingList findings;
  std::unique_ptr<Document> doc = std::make_unique<Document>();

  // A reader of `files` into the document; `keepGoing` reads on after a rejected line.
  SourceReader Read(bool keepGoing = false) { return SourceReader(*doc, files, findings, {keepGoing}); }

  // The one finding so far as its box text, "error N\n\n<message>" in Shift_JIS; fails if there
  // is not exactly one.
  std::string OnlyMessage() const {
    EXPECT_EQ(findings.findings.size(), 1u);
    return findings.findings.empty() ? std::string() : findings.findings[0].BoxText();
  }

 public:
  // The expected box text for a message written in UTF-8.
  static std::string Box(int code, std::string_view utf8Message) {
    return "error " + std::to_string(code) + "\n\n" + Sjis(utf8Message);
  }
};

}  // namespace orbline
