// Every reader over arbitrary file contents and arbitrary settings: no crash, no read outside a
// line, each failure reported once at a line the file has; read going on, every fault of the files is reported and the
// tables hold no rejected row.
#include <cstdlib>

#include "compiler/route_check.h"
#include "document/source_reader.h"
#include "fuzz_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orbline;
  FuzzDocument& f = FuzzDocument::Get();
  Document& doc = f.Load(data, size);
  SourceReader reader(doc, f.files, f.findings);
  const int ok =
      reader.ReadInfo() + reader.ReadKinds() + reader.ReadStations() + reader.ReadMap() + reader.ReadTimetables();
  if (f.Errors() != 5 - ok) abort();
  for (const Finding& finding : f.findings.findings)
    if (finding.line < 0) abort();

  // All faults: never fewer errors than stopping at the first, and nothing left for the
  // cross-checks to find again in the trains the readers kept.
  const bool firstOk = ok == 5;
  const std::vector<Finding> all = CheckWholeRoute(doc, f.files);
  int errors = 0;
  for (const Finding& finding : all) errors += finding.IsError();
  if (!firstOk && errors == 0) abort();
  for (const Finding& finding : all)
    if (finding.code >= 15 && finding.code <= 17) abort();
  return 0;
}
