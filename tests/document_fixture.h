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

// Shift_JIS bytes of a UTF-8 literal (the tables behind it are compared with iconv in sjis_test).
inline std::string Sjis(std::string_view utf8) { return Utf8ToSjis(utf8); }

// A document over in-memory files, with every finding kept.
class DocTest : public ::testing::Test {
 protected:
  MemoryLineReader files;
  FindingList findings;
  std::unique_ptr<Document> doc = std::make_unique<Document>();

  // A reader of `files` into the document; `keepGoing` reads on after a rejected line.
  SourceReader Read(bool keepGoing = false) { return SourceReader(*doc, files, findings, {keepGoing}); }
};

}  // namespace orbline
