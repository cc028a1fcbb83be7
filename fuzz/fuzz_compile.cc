// The whole compile road on arbitrary sources: read, check, write the file in memory, then read
// the written bytes back: they must decode, and hold exactly what the document holds. Where the
// file can be decompiled, compiling the decompiled sources must give the same bytes.
#include <cstdio>
#include <cstdlib>

#include "compiler/line_check.h"
#include "compiler/zkf_compare.h"
#include "compiler/zkf_decompile.h"
#include "compiler/zkf_reader.h"
#include "compiler/zkf_writer.h"
#include "fuzz_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orbline;
  FuzzDocument& f = FuzzDocument::Get();
  Document& doc = f.Load(data, size);
  if (!ReadAndCheck(doc, f.files, f.findings, f.cursor, FaultMode::kFirstFault)) return 0;
  StringSink sink;
  if (!WriteZkf(doc, sink)) abort();
  ZkfError error;
  std::optional<ZkfFile> file = ReadZkf(sink.bytes, &error);
  if (!file) {
    std::fprintf(stderr, "written file does not decode: byte %zu: %s\n", error.offset, error.what.c_str());
    abort();
  }
  const std::string difference = CompareZkfWithDocument(*file, doc);
  if (!difference.empty()) {
    std::fprintf(stderr, "written file differs: %s\n", difference.c_str());
    abort();
  }
  std::string problem;
  if (std::optional<DecompiledLine> line = Decompile(*file, -1, &problem)) {
    std::string again;
    if (!CompileInMemory(*line, &again, &problem) || again != sink.bytes) {
      std::fprintf(stderr, "decompiled sources compile to another file: %s\n", problem.c_str());
      abort();
    }
  }
  return 0;
}
