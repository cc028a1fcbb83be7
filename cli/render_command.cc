#include "cli/render_command.h"

#include <cctype>

#include "cli/command_line.h"
#include "cli/run_settings.h"
#include "cli/terminal_findings.h"
#include "document/document.h"
#include "document/source_reader.h"
#include "platform/console.h"
#include "platform/disk_line_reader.h"
#include "platform/replacing_file_writer.h"
#include "platform/utf8_path.h"
#include "view/display.h"
#include "view/svg_canvas.h"
#include "view/view_state.h"

namespace orbline {

bool HasEnding(const std::filesystem::path& path, const char* ending) {
  std::string given = Utf8(path.extension());
  for (char& c : given) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return given == ending;
}

bool WriteSvgImage(const Document& doc, const ViewState& state, int width, int height,
                   const std::filesystem::path& path, std::string* err) {
  SvgCanvas canvas(width, height);
  canvas.FillSolidRect(0, 0, Canvas::kPageWidth, Canvas::kPageHeight, Rgb(255, 255, 255));
  DrawDisplay(canvas, doc, state);
  const std::string svg = canvas.Svg();
  std::string reason;
  if (WriteFileReplacing(
          path, [&svg](ByteSink& sink) { return sink.Write(svg.data(), svg.size()); }, &reason))
    return true;
  *err = "cannot write " + Utf8(path) + " (" + reason + ")";
  return false;
}

int RunRenderCommand(const CommandLine& cl, const DrawImage& draw) {
  if (!HasEnding(cl.output, ".png") && !HasEnding(cl.output, ".svg") && !HasEnding(cl.output, ".pdf")) {
    Print(stderr, "orblinec: %s: the image file must end in .png, .svg or .pdf\n", Utf8(cl.output).c_str());
    return 2;
  }
  std::filesystem::path folder;
  std::string err;
  if (!SourceFolder(cl, &folder, &err)) {
    Print(stderr, "orblinec: %s\n", err.c_str());
    return 1;
  }
  auto doc = RunDocument(cl);
  DiskLineReader files(folder);
  TerminalFindings findings(stderr, folder);
  ViewState state;
  state.displayMode = cl.mode;
  state.eria = cl.page;
  state.grid = cl.grid ? 1 : 0;
  // As the window's test command: reset, read the display's files, draw whatever was read.
  ReadForDisplay(*doc, files, findings, cl.mode);
  findings.Flush();
  if (!draw(*doc, state, cl.width, cl.height, cl.output, &err)) {
    Print(stderr, "orblinec: %s\n", err.c_str());
    return 1;
  }
  Print(stdout, "wrote %s (%dx%d)\n", Utf8(cl.output).c_str(), cl.width, cl.height);
  return findings.errors() == 0 ? 0 : 1;
}

}  // namespace orbline
