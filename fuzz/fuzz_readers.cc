// Every reader over arbitrary file contents and arbitrary settings: no crash, no read outside a
// line, each failure reported once, the wait cursor always ended.
#include <cstdlib>

#include "fuzz_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orbline;
  FuzzDocument& f = FuzzDocument::Get();
  Document& doc = f.Load(data, size);
  const int ok = doc.ReadInfo() + doc.ReadKinds() + doc.ReadStations() + doc.ReadMap() + doc.ReadTimetables();
  if (static_cast<int>(f.messages.messages().size()) != 5 - ok) abort();
  if (f.cursor.depth() != 0) abort();
  return 0;
}
