// orblinec: Zelkor Maker from the command line. See kUsage for what it does.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/findings_json.h"
#include "cli/orblinec_main.h"
#include "cli/render_command.h"
#include "cli/render_launch.h"
#include "cli/run_settings.h"
#include "cli/serve_command.h"
#include "cli/terminal_findings.h"
#include "cli/zkf_dump.h"
#include "compiler/compile_to_file.h"
#include "compiler/compiler_texts.h"
#include "compiler/route_check.h"
#include "compiler/zkf_decompile.h"
#include "compiler/zkf_reader.h"
#include "document/document.h"
#include "platform/console.h"
#include "platform/disk_line_reader.h"
#include "platform/replacing_file_writer.h"
#include "platform/sjis.h"
#include "platform/utf8_path.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

constexpr char kVersion[] = "orblinec (Zelkor Maker Ver 1.17), ZKF 2.00\n";

// check --all: every finding of the route, sorted, then a count; or one JSON array.
int CheckAll(const CommandLine& cl, const fs::path& folder) {
  auto doc = RunDocument(cl);
  DiskLineReader files(folder);
  const std::vector<Finding> findings = CheckWholeRoute(*doc, files);
  int errors = 0;
  for (const Finding& f : findings) errors += f.IsError();
  // What the command was asked for: on standard output, where an editor's task reads it.
  if (cl.json) {
    std::string json, problem;
    if (!FindingsJson(findings, folder, &json, &problem)) {
      Print(stderr, "orblinec: the findings cannot be written as JSON: %s\n", problem.c_str());
      return 1;
    }
    WriteText(stdout, json);
  } else {
    for (const Finding& f : findings) WriteText(stdout, FindingLine(f, folder) + "\n");
    WriteText(stdout, CountLine(errors, static_cast<int>(findings.size()) - errors) + "\n");
  }
  return errors == 0 ? 0 : 1;
}

// compile and check: the compile command, stopping at the first fault; check writes nothing. The
// findings go to standard error, sorted by file and line.
int ReadAndCompile(const CommandLine& cl) {
  fs::path folder;
  std::string err;
  if (!SourceFolder(cl, &folder, &err)) {
    Print(stderr, "orblinec: %s\n", err.c_str());
    // check --all is what editors' tasks run: a folder that is not there is how it was called.
    return cl.command == CommandLine::Command::kCheck && cl.all ? 2 : 1;
  }
  if (cl.command == CommandLine::Command::kCheck && cl.all) return CheckAll(cl, folder);

  auto doc = RunDocument(cl);
  DiskLineReader files(folder);
  TerminalFindings findings(stderr, folder);
  const bool ok = ReadAndCheck(*doc, files, findings, FaultMode::kFirstFault);
  if (cl.command == CommandLine::Command::kCheck) {
    findings.Flush();
    if (ok && findings.errors() + findings.warnings() == 0)
      Print(stdout, "%s: no faults found\n", folder.empty() ? "." : Utf8(folder).c_str());
    return ok ? 0 : 1;
  }
  if (!ok) return 1;
  const fs::path output = cl.output.empty() ? PathFromUtf8(DefaultOutputName(folder)) : cl.output;
  const bool written = CompileToFile(*doc, output, files, findings);
  findings.Flush();
  if (!written) {
    // The window's failure box, as a line.
    Print(stderr, "%s: %s\n", SjisToUtf8(GetCompilerText(kTextCompileCaption)).c_str(),
          SjisToUtf8(GetCompilerText(kTextCompileFailed)).c_str());
    return 1;
  }
  std::error_code ec;
  const auto size = fs::file_size(output, ec);
  const auto where = fs::absolute(output, ec);
  Print(stdout, "wrote %s (%llu bytes)\n", Utf8(ec ? output : where.lexically_normal()).c_str(),
        static_cast<unsigned long long>(size));
  return 0;
}

// Reads and decodes a compiled file into `*file`, its bytes into `*bytes`; says why not on standard
// error.
bool LoadZkf(const fs::path& path, std::string* bytes, ZkfFile* file) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Print(stderr, "orblinec: %s: cannot open\n", Utf8(path).c_str());
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    Print(stderr, "orblinec: %s: cannot read\n", Utf8(path).c_str());
    return false;
  }
  *bytes = buffer.str();
  std::string err;
  if (ReadZkf(*bytes, file, &err)) return true;
  Print(stderr, "orblinec: %s: %s\n", Utf8(path).c_str(), err.c_str());
  return false;
}

// Writes the decompiled files into `folder`, which is made if need be; without `force` nothing is
// written when one of them exists. Each file replaces its old self only once it is whole.
bool WriteSourceFiles(const DecompiledRoute& route, const fs::path& folder, bool force) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder)) {
    Print(stderr, "orblinec: %s: cannot make this folder\n", Utf8(folder).c_str());
    return false;
  }
  if (!force)
    for (const auto& [name, contents] : route.files)
      if (fs::exists(folder / PathFromUtf8(name))) {
        Print(stderr, "orblinec: %s already exists; nothing was written (--force replaces it)\n",
              Utf8(folder / PathFromUtf8(name)).c_str());
        return false;
      }
  for (const auto& [name, contents] : route.files) {
    const fs::path path = folder / PathFromUtf8(name);
    std::string reason;
    const std::string& bytes = contents;
    const auto write = [&bytes](ByteSink& sink) { return sink.Write(bytes.data(), bytes.size()); };
    if (!WriteFileReplacing(path, write, &reason)) {
      Print(stderr, "orblinec: %s: cannot write (%s)\n", Utf8(path).c_str(), reason.c_str());
      return false;
    }
  }
  return true;
}

int RunDecompile(const CommandLine& cl) {
  std::string bytes;
  ZkfFile file;
  if (!LoadZkf(cl.zkfFile, &bytes, &file)) return 1;
  std::string problem;
  DecompiledRoute route;
  if (!Decompile(file, cl.kugiri.value_or(-1), &route, &problem)) {
    Print(stderr, "orblinec: %s: no source files give this file back: %s\n", Utf8(cl.zkfFile).c_str(), problem.c_str());
    return 1;
  }
  // Nothing is written unless compiling the files gives the very same bytes.
  std::string again;
  if (!CompileInMemory(route, &again, &problem) || again != bytes) {
    size_t at = 0;
    while (at < again.size() && at < bytes.size() && again[at] == bytes[at]) ++at;
    Print(stderr, "orblinec: %s: the source files would compile to another file (from byte %zu)%s%s\n",
          Utf8(cl.zkfFile).c_str(), at, problem.empty() ? "" : ": ", problem.c_str());
    return 1;
  }
  const fs::path folder = cl.folder.empty() ? fs::path(".") : cl.folder;
  if (!WriteSourceFiles(route, folder, cl.force)) return 1;
  const FormatSettings& s = route.settings;
  Print(stdout,
        "wrote %zu files to %s\ncompile with: orblinec compile -C %s --kugiri %d --weekkind %d --top %d --30sec %d\n",
        route.files.size(), Utf8(folder).c_str(), Utf8(folder).c_str(), s.kugiri, s.weekkind, s.top, s.sec30);
  return 0;
}

int Dump(const CommandLine& cl) {
  std::string bytes;
  ZkfFile file;
  if (!LoadZkf(cl.zkfFile, &bytes, &file)) return 1;
  std::string out, problem;
  if (cl.json && !DumpJson(file, &out, &problem)) {
    Print(stderr, "orblinec: %s: cannot be shown as JSON: %s\n", Utf8(cl.zkfFile).c_str(), problem.c_str());
    return 1;
  }
  if (!cl.json) out = DumpText(file);
  const bool written = WriteText(stdout, out);
  return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace

int RunOrblinec(const std::vector<std::string>& args) {
  std::string error;
  CommandLine parsed;
  if (!ParseCommandLine(args, &parsed, &error)) {
    Print(stderr, "orblinec: %s\n%s\n", error.c_str(), kUsageHint);
    return 2;
  }
  const CommandLine* cl = &parsed;
  switch (cl->command) {
    case CommandLine::Command::kHelp: WriteText(stdout, kUsage); return 0;
    case CommandLine::Command::kVersion: WriteText(stdout, kVersion); return 0;
    case CommandLine::Command::kRender:
      // SVG needs none of Qt; the other images are drawn by orblinec-render.
      return HasEnding(cl->output, ".svg") ? RunRenderCommand(*cl, WriteSvgImage) : RunRender(args);
    case CommandLine::Command::kCompile:
    case CommandLine::Command::kCheck: return ReadAndCompile(*cl);
    case CommandLine::Command::kDump: return Dump(*cl);
    case CommandLine::Command::kDecompile: return RunDecompile(*cl);
    case CommandLine::Command::kServe: return RunServe(*cl);
    case CommandLine::Command::kNone: break;
  }
  WriteText(stderr, kUsage);
  return 2;
}

}  // namespace orbline
