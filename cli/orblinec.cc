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

#include <QGuiApplication>

#include "cli/command_line.h"
#include "cli/render.h"
#include "cli/terminal_diagnostics.h"
#include "cli/zkf_dump.h"
#include "compiler/check_data.h"
#include "compiler/compile_command.h"
#include "compiler/zkf_reader.h"
#include "doc/document.h"
#include "platform/disk_line_reader.h"
#include "platform/fixed_save_prompt.h"
#include "platform/memory_profile_store.h"
#include "platform/qt/qsettings_profile_store.h"
#include "view/qpainter_canvas.h"
#include "view/view_commands.h"

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

int Dump(const CommandLine& cl) {
  std::ifstream in(cl.zkfFile, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "orblinec: %s: cannot open\n", cl.zkfFile.c_str());
    return 1;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    std::fprintf(stderr, "orblinec: %s: cannot read\n", cl.zkfFile.c_str());
    return 1;
  }
  ZkfError error;
  std::optional<ZkfFile> file = ReadZkf(buffer.str(), &error);
  if (!file) {
    std::fprintf(stderr, "orblinec: %s: byte %zu: %s\n", cl.zkfFile.c_str(), error.offset, error.what.c_str());
    return 1;
  }
  const std::string out = cl.json ? DumpJson(*file) : DumpText(*file);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

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
    case CommandLine::Command::kCompile:
    case CommandLine::Command::kCheck:
    case CommandLine::Command::kRender:
      return ReadAndCompile(*cl);
    case CommandLine::Command::kDump:
      return Dump(*cl);
    case CommandLine::Command::kNone:
      break;
  }
  std::fputs(kUsage, stderr);
  return 2;
}
