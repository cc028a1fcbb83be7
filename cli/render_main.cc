// orblinec-render: "orblinec render" of PNG and PDF images, drawn with the window's own drawing
// code and Qt's GUI libraries. It is a program of its own so that orblinec never loads them.
#include <QGuiApplication>

#include <cstdio>

#include "cli/command_line.h"
#include "cli/render.h"
#include "cli/render_command.h"
#include "platform/console.h"
#include "view/faces.h"

int main(int argc, char** argv) {
  using namespace orbline;
  std::string error;
  CommandLine cl;
  const bool parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &cl, &error);
  if (!parsed || cl.command != CommandLine::Command::kRender) {
    Print(stderr, "orblinec: %s\n%s\n", parsed ? "orblinec-render only renders" : error.c_str(), kUsageHint);
    return 2;
  }
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
  return RunRenderCommand(cl, RenderDisplay);
}
