// orblinec: Zelkor Maker from the command line. See kUsage for what it does.
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/command_line.h"
#include "cli/terminal_diagnostics.h"
#include "cli/zkf_dump.h"
#include "compiler/check_data.h"
#include "compiler/compile_command.h"
#include "compiler/zkf_decompile.h"
#include "compiler/zkf_reader.h"
#include "doc/document.h"
#include "platform/disk_line_reader.h"
#include "platform/fixed_save_prompt.h"
#include "platform/memory_profile_store.h"
#include "platform/qt/qsettings_profile_store.h"
#ifdef ORBLINEC_RENDER
#include <QGuiApplication>

#include "cli/render.h"
#include "view/qpainter_canvas.h"
#include "view/view_commands.h"
#endif

namespace orbline {
namespace {

constexpr char kVersion[] = "orblinec (Zelkor Maker Ver 1.17), ZKF 2.00\n";

// The settings for this run: the profile's section "data" (unless --no-profile) with the
// options on top, in a profile of its own so that nothing is written back.
void LoadSettings(const CommandLine& cl, MemoryProfileStore& runProfile) {
  FormatSettings s;
  if (!cl.noProfile) {
    QSettingsProfileStore profile(cl.profilePath.empty() ? ProfilePath() : QString::fromLocal8Bit(cl.profilePath.c_str()));
    s = FormatSettings::Load(profile);
  }
  if (cl.kugiri) s.kugiri = *cl.kugiri;
  if (cl.kankaku) s.kankaku = *cl.kankaku;
  if (cl.weekkind) s.weekkind = *cl.weekkind;
  if (cl.top) s.top = *cl.top;
  if (cl.sec30) s.sec30 = *cl.sec30;
  s.Save(runProfile);
}

// "<name of DIR>.zkf": the folder's own name, or "line" where it has none (the root).
std::string DefaultOutput(const std::string& folder) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::weakly_canonical(folder.empty() ? "." : folder, ec);
  std::string name = ec ? std::string() : p.filename().string();
  return (name.empty() ? "line" : name) + ".zkf";
}

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

int ReadAndCompile(const CommandLine& cl) {
  const std::string folder = WithoutTrailingSlash(cl.folder);
  struct stat st;
  if (!folder.empty() && (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
    std::fprintf(stderr, "orblinec: %s: no such folder\n", folder.c_str());
    return 1;
  }
  MemoryProfileStore runProfile;
  LoadSettings(cl, runProfile);
  DiskLineReader files(folder);
  WaitCursor waitCursor;
  FormatSettings shownSettings;
  TerminalDiagnostics diagnostics(stderr, folder, shownSettings);
  const std::string output = cl.output.empty() ? DefaultOutput(folder) : cl.output;  // compile only
  FixedSavePrompt prompt(output);
  auto doc = std::make_unique<Document>(Services{files, runProfile, diagnostics, waitCursor, &prompt});
  shownSettings = doc->settings;

#ifdef ORBLINEC_RENDER
  if (cl.command == CommandLine::Command::kRender) {
    if (!IsImagePath(cl.output)) {
      std::fprintf(stderr, "orblinec: %s: the image file must end in .png, .svg or .pdf\n", cl.output.c_str());
      return 2;
    }
    // Drawing needs a GUI application, but no display; Qt's own notes about its environment are
    // not this program's messages.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
      if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "orblinec: %s\n", qPrintable(message));
    });
    int argc = 1;
    char name[] = "orblinec";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    RegisterJapaneseFont();
    ViewState state;
    state.eria = cl.page;
    state.grid = cl.grid ? 1 : 0;
    // As the window's test command: reset, read the display's files, draw whatever was read.
    ViewCommands commands(*doc, state, [] {});
    commands.Test(cl.mode);
    std::string error;
    if (!RenderDisplay(*doc, state, cl.width, cl.height, cl.output, &error)) {
      std::fprintf(stderr, "orblinec: %s\n", error.c_str());
      return 1;
    }
    std::printf("wrote %s (%dx%d)\n", cl.output.c_str(), cl.width, cl.height);
    return diagnostics.count() == 0 ? 0 : 1;
  }
#endif
  if (cl.command == CommandLine::Command::kCheck) {
    doc->ResetTables();
    bool ok = doc->ReadInfo() && doc->ReadKinds() && doc->ReadStations() && doc->ReadMap() && doc->ReadTimetables() &&
              CheckData(*doc);
    if (ok) std::printf("%s: no faults found\n", folder.empty() ? "." : folder.c_str());
    return ok ? 0 : 1;
  }
  if (!RunCompileCommand(*doc)) return 1;
  std::error_code ec;
  const auto size = std::filesystem::file_size(output, ec);
  const auto where = std::filesystem::absolute(output, ec);
  std::printf("wrote %s (%llu bytes)\n", (ec ? output : where.lexically_normal().string()).c_str(),
              static_cast<unsigned long long>(size));
  return 0;
}

// Reads and decodes a compiled file; reports why not on standard error.
std::optional<ZkfFile> LoadZkf(const std::string& path, std::string* bytes) {
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
  const fs::path folder = cl.folder.empty() ? fs::path(".") : fs::path(cl.folder);
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

#ifndef ORBLINEC_RENDER
// Drawing needs Qt's GUI libraries, which take longer to load than compiling a line takes to
// read; "render" is therefore a program of its own beside this one, run in this one's place.
[[noreturn]] void RunRenderProgram(char** argv) {
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string(argv[0]);
  path = path.substr(0, path.rfind('/') + 1) + "orblinec-render";
  ::execv(path.c_str(), argv);
  std::fprintf(stderr, "orblinec: %s: cannot run it for render\n", path.c_str());
  std::exit(1);
}
#endif

}  // namespace
}  // namespace orbline

int main(int argc, char** argv) {
  using namespace orbline;
  std::string error;
  std::optional<CommandLine> cl = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!cl) {
    std::fprintf(stderr, "orblinec: %s\n\n%s", error.c_str(), kUsage);
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
#ifndef ORBLINEC_RENDER
      RunRenderProgram(argv);
#endif
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
