// orblinec-render: "orblinec render", drawing a display with the window's own drawing code. It is
// a program of its own so that orblinec never loads Qt's GUI libraries.
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/command_line.h"
#include "cli/render.h"
#include "cli/run_settings.h"
#include "cli/terminal_findings.h"
#include "document/document.h"
#include "document/source_reader.h"
#include "platform/disk_line_reader.h"
#include "view/qpainter_canvas.h"
#include "view/view_state.h"

int main(int argc, char** argv) {
  using namespace orbline;
  std::string error;
  std::optional<CommandLine> cl = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!cl || cl->command != CommandLine::Command::kRender) {
    std::fprintf(stderr, "orblinec: %s\n%s\n", cl ? "orblinec-render only renders" : error.c_str(), kUsageHint);
    return 2;
  }
  if (!IsImagePath(cl->output)) {
    std::fprintf(stderr, "orblinec: %s: the image file must end in .png, .svg or .pdf\n", cl->output.c_str());
    return 2;
  }
  const std::optional<std::filesystem::path> folder = SourceFolder(*cl);
  if (!folder) return 1;
  // Drawing needs a GUI application, but no display; Qt's own notes about its environment are
  // not this program's messages.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "orblinec: %s\n", qPrintable(message));
  });
  int appArgc = 1;
  char name[] = "orblinec";
  char* appArgv[] = {name, nullptr};
  QGuiApplication app(appArgc, appArgv);
  RegisterJapaneseFont();

  auto doc = RunDocument(*cl);
  DiskLineReader files(*folder);
  TerminalFindings findings(stderr, *folder);
  ViewState state;
  state.displayMode = cl->mode;
  state.eria = cl->page;
  state.grid = cl->grid ? 1 : 0;
  // As the window's test command: reset, read the display's files, draw whatever was read.
  ReadForDisplay(*doc, files, findings, cl->mode);
  if (!RenderDisplay(*doc, state, cl->width, cl->height, cl->output, &error)) {
    std::fprintf(stderr, "orblinec: %s\n", error.c_str());
    return 1;
  }
  std::printf("wrote %s (%dx%d)\n", cl->output.c_str(), cl->width, cl->height);
  return findings.errors() == 0 ? 0 : 1;
}
