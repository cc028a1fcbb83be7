// The whole compile road on arbitrary sources: read, check, write the file in memory, then read
// the written bytes back: they must decode, and hold exactly what the document holds. Where the
// file can be decompiled, compiling the decompiled sources must give the same bytes.
#include <cstdio>
#include <cstdlib>

#include "compiler/route_check.h"
#include "compiler/zkf_compare.h"
#include "compiler/zkf_decompile.h"
#include "compiler/zkf_reader.h"
#include "compiler/zkf_writer.h"
#include "fuzz_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orbline;
  FuzzDocument& f = FuzzDocument::Get();
  Document& doc = f.Load(data, size);
  if (!ReadAndCheck(doc, f.files, f.findings, FaultMode::kFirstFault)) return 0;
  StringSink sink;
  if (!WriteZkf(doc, sink)) abort();
  ZkfFile file;
  std::string problem;
  if (!ReadZkf(sink.bytes, &file, &problem)) {
    std::fprintf(stderr, "written file does not decode: %s\n", problem.c_str());
    abort();
  }
  if (!MatchesDocument(file, doc, &problem)) {
    std::fprintf(stderr, "written file differs: %s\n", problem.c_str());
    abort();
  }
  if (DecompiledRoute route; Decompile(file, -1, &route, &problem)) {
    std::string again;
    if (!CompileInMemory(route, &again, &problem) || again != sink.bytes) {
      std::fprintf(stderr, "decompiled sources compile to another file: %s\n", problem.c_str());
      abort();
    }
  }
  return 0;
}
