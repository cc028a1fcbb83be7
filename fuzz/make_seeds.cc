// fuzz_make_seeds OUTDIR LINE_FOLDER...
//
// Writes seed inputs for the fuzzers from complete lines: for each folder, the line in the
// readers' input form (settings bytes, then the seven files) for the separation it is written in
// and for every day-type scheme, single lines for the field splitter, and the compiled file.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "compiler/route_check.h"
#include "compiler/zkf_writer.h"
#include "document/document.h"
#include "fuzz_input.h"
#include "platform/disk_line_reader.h"
#include "platform/finding_sinks.h"

namespace fs = std::filesystem;
using namespace orbline;

namespace {

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// kugiri: 0 tab, 1 comma; the width byte 5 selects 5; weekkind byte w selects w - 1; 30sec on.
std::string Settings(int kugiri, int weekkind) {
  return {static_cast<char>(kugiri), 5, static_cast<char>(weekkind + 1), 2};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: fuzz_make_seeds OUTDIR LINE_FOLDER...\n");
    return 2;
  }
  const fs::path out = argv[1];
  for (int a = 2; a < argc; ++a) {
    const fs::path folder = argv[a];
    const std::string name = folder.filename().string();
    std::string files;
    for (const std::string& source : SourceFileNames()) {
      if (!files.empty()) files += kFileSeparator;
      files += Slurp(folder / source);
    }
    const int kugiri = Slurp(folder / "eki.txt").find('\t') == std::string::npos ? 1 : 0;
    for (int weekkind = 0; weekkind < 4; ++weekkind)
      Write(out / "readers" / (name + "-" + std::to_string(weekkind)), Settings(kugiri, weekkind) + files);
    int n = 0;
    for (const std::string& source : SourceFileNames()) {
      std::istringstream lines(Slurp(folder / source));
      std::string line;
      for (int k = 0; k < 3 && std::getline(lines, line); ++k)
        Write(out / "split" / (name + "-" + std::to_string(n++)), Settings(kugiri, 0) + line);
    }
    // The compiled line, with every day type.
    DiskLineReader reader(folder);
    FindingList findings;
    auto doc = std::make_unique<Document>();
    doc->settings.kugiri = kugiri;
    doc->settings.weekkind = 2;
    doc->DeriveDelimiter();
    if (!ReadAndCheck(*doc, reader, findings, FaultMode::kFirstFault)) {
      std::fprintf(stderr, "fuzz_make_seeds: %s does not read\n", folder.c_str());
      return 1;
    }
    StringSink sink;
    WriteZkf(*doc, sink);
    Write(out / "zkf" / (name + ".zkf"), sink.bytes);
  }
  return 0;
}
