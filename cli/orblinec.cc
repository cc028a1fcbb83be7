// orblinec: Zelkor Maker from the command line. See kUsage for what it does.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/findings_json.h"
#include "cli/run_settings.h"
#include "cli/terminal_findings.h"
#include "cli/zkf_dump.h"
#include "compiler/compile_command.h"
#include "compiler/line_check.h"
#include "compiler/zkf_decompile.h"
#include "compiler/zkf_reader.h"
#include "document/document.h"
#include "platform/disk_line_reader.h"
#include "platform/fixed_save_prompt.h"
#include "platform/services.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

constexpr char kVersion[] = "orblinec (Zelkor Maker Ver 1.17), ZKF 2.00\n";

// "<name of DIR>.zkf": the folder's own name, or "line" where it has none (the root).
std::string DefaultOutput(const fs::path& folder) {
  std::error_code ec;
  const fs::path p = fs::weakly_canonical(folder.empty() ? fs::path(".") : folder, ec);
  const std::string name = ec ? std::string() : p.filename().string();
  return (name.empty() ? "line" : name) + ".zkf";
}

// check --all: every finding of the line, sorted, then a count; or one JSON array.
int CheckAll(const CommandLine& cl, const fs::path& folder) {
  auto doc = RunDocument(cl);
  DiskLineReader files(folder);
  WaitCursor waitCursor;
  const std::vector<Finding> findings = CheckWholeLine(*doc, files, waitCursor);
  int errors = 0;
  for (const Finding& f : findings) errors += f.IsError();
  if (cl.json) {
    const std::string json = FindingsJson(findings);
    std::fwrite(json.data(), 1, json.size(), stdout);
  } else {
    for (const Finding& f : findings) std::fprintf(stderr, "%s\n", FindingLine(f, folder).c_str());
    std::fprintf(stderr, "%d errors, %d warnings\n", errors, static_cast<int>(findings.size()) - errors);
  }
  return errors == 0 ? 0 : 1;
}

// compile and check: the compile command, stopping at the first fault; check writes nothing.
int ReadAndCompile(const CommandLine& cl) {
  const std::optional<fs::path> given = SourceFolder(cl);
  if (!given) return 1;
  const fs::path& folder = *given;
  if (cl.command == CommandLine::Command::kCheck && cl.all) return CheckAll(cl, folder);

  auto doc = RunDocument(cl);
  DiskLineReader files(folder);
  TerminalFindings findings(stderr, folder);
  TerminalMessages messages(stderr);
  WaitCursor waitCursor;
  const fs::path output = cl.output.empty() ? fs::path(DefaultOutput(folder)) : cl.output;
  FixedSavePrompt prompt(output);
  const Services services{files, findings, messages, waitCursor, &prompt};

  if (cl.command == CommandLine::Command::kCheck) {
    const bool ok = ReadAndCheck(*doc, files, findings, waitCursor, FaultMode::kFirstFault);
    if (ok && findings.errors() + findings.warnings() == 0)
      std::printf("%s: no faults found\n", folder.empty() ? "." : folder.c_str());
    return ok ? 0 : 1;
  }
  if (!RunCompileCommand(*doc, services)) return 1;
  std::error_code ec;
  const auto size = fs::file_size(output, ec);
  const auto where = fs::absolute(output, ec);
  std::printf("wrote %s (%llu bytes)\n", (ec ? output : where.lexically_normal()).c_str(),
              static_cast<unsigned long long>(size));
  return 0;
}

// Reads and decodes a compiled file; reports why not on standard error.
std::optional<ZkfFile> LoadZkf(const fs::path& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "orblinec: %s: cannot open\n", path.c_str());
    return std::nullopt;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    std::fprintf(stderr, "orblinec: %s: cannot read\n", path.c_str());
    return std::nullopt;
  }
  *bytes = buffer.str();
  ZkfError error;
  std::optional<ZkfFile> file = ReadZkf(*bytes, &error);
  if (!file) std::fprintf(stderr, "orblinec: %s: byte %zu: %s\n", path.c_str(), error.offset, error.what.c_str());
  return file;
}

int RunDecompile(const CommandLine& cl) {
  std::string bytes;
  std::optional<ZkfFile> file = LoadZkf(cl.zkfFile, &bytes);
  if (!file) return 1;
  std::string problem;
  std::optional<DecompiledLine> line = Decompile(*file, cl.kugiri.value_or(-1), &problem);
  if (!line) {
    std::fprintf(stderr, "orblinec: %s: no source files give this file back: %s\n", cl.zkfFile.c_str(),
                 problem.c_str());
    return 1;
  }
  // Nothing is written unless compiling the files gives the very same bytes.
  std::string again;
  if (!CompileInMemory(*line, &again, &problem) || again != bytes) {
    size_t at = 0;
    while (at < again.size() && at < bytes.size() && again[at] == bytes[at]) ++at;
    std::fprintf(stderr, "orblinec: %s: the source files would compile to another file (from byte %zu)%s%s\n",
                 cl.zkfFile.c_str(), at, problem.empty() ? "" : ": ", problem.c_str());
    return 1;
  }
  namespace fs = std::filesystem;
  const fs::path folder = cl.folder.empty() ? fs::path(".") : cl.folder;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder)) {
    std::fprintf(stderr, "orblinec: %s: cannot make this folder\n", folder.c_str());
    return 1;
  }
  if (!cl.force)
    for (const auto& [name, contents] : line->files)
      if (fs::exists(folder / name)) {
        std::fprintf(stderr, "orblinec: %s already exists; nothing was written (--force replaces it)\n",
                     (folder / name).c_str());
        return 1;
      }
  for (const auto& [name, contents] : line->files) {
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out.flush()) {
      std::fprintf(stderr, "orblinec: %s: cannot write\n", (folder / name).c_str());
      return 1;
    }
  }
  const FormatSettings& s = line->settings;
  std::printf("wrote %zu files to %s\ncompile with: orblinec compile -C %s --kugiri %d --weekkind %d --top %d --30sec %d\n",
              line->files.size(), folder.c_str(), folder.c_str(), s.kugiri, s.weekkind, s.top, s.sec30);
  return 0;
}

int Dump(const CommandLine& cl) {
  std::string bytes;
  std::optional<ZkfFile> file = LoadZkf(cl.zkfFile, &bytes);
  if (!file) return 1;
  const std::string out = cl.json ? DumpJson(*file) : DumpText(*file);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// Drawing needs Qt's GUI libraries, which take longer to load than compiling a line takes to
// read; "render" is therefore a program of its own beside this one, run in this one's place.
[[noreturn]] void RunRenderProgram(char** argv) {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) self = argv[0];
  const fs::path path = self.parent_path() / "orblinec-render";
  ::execv(path.c_str(), argv);
  std::fprintf(stderr, "orblinec: %s: cannot run it for render\n", path.c_str());
  std::exit(1);
}

}  // namespace
}  // namespace orbline

int main(int argc, char** argv) {
  using namespace orbline;
  std::string error;
  std::optional<CommandLine> cl = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!cl) {
    std::fprintf(stderr, "orblinec: %s\n%s\n", error.c_str(), kUsageHint);
    return 2;
  }
  switch (cl->command) {
    case CommandLine::Command::kHelp:
      std::fputs(kUsage, stdout);
      return 0;
    case CommandLine::Command::kVersion:
      std::fputs(kVersion, stdout);
      return 0;
    case CommandLine::Command::kRender:
      RunRenderProgram(argv);
    case CommandLine::Command::kCompile:
    case CommandLine::Command::kCheck:
      return ReadAndCompile(*cl);
    case CommandLine::Command::kDump:
      return Dump(*cl);
    case CommandLine::Command::kDecompile:
      return RunDecompile(*cl);
    case CommandLine::Command::kNone:
      break;
  }
  std::fputs(kUsage, stderr);
  return 2;
}
