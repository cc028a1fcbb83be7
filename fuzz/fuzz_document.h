#pragma once

#include <memory>

#include "document/document.h"
#include "fuzz_input.h"
#include "platform/finding_sinks.h"

namespace orbline {

// One document for the whole fuzzing run (it is 5 MB), over in-memory files that each input
// replaces, with the input's settings.
struct FuzzDocument {
  MemoryLineReader files{13};  // an odd buffer size, so lines straddle reads
  FindingList findings;
  std::unique_ptr<Document> doc = std::make_unique<Document>();

  static FuzzDocument& Get() {
    static FuzzDocument* instance = new FuzzDocument;
    return *instance;
  }

  // Loads the input's files and settings and empties the tables, as a fresh start would.
  Document& Load(const uint8_t* data, size_t size) {
    files.Clear();
    FilesFromInput(data, size, files);
    findings.findings.clear();
    doc->settings = SettingsFromInput(data, size);
    doc->delimiter.clear();
    doc->DeriveDelimiter();
    doc->maxCalcStation = 0;
    doc->ResetTables();
    return *doc;
  }

  int Errors() const {
    int n = 0;
    for (const Finding& f : findings.findings) n += f.IsError();
    return n;
  }
};

}  // namespace orbline
