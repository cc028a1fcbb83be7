#include "cli/terminal_findings.h"

#include "platform/console.h"
#include "platform/sjis.h"
#include "platform/utf8_path.h"

namespace orbline {
namespace {

std::string OneLine(std::string_view sjis) {
  std::string line = SjisToUtf8(sjis);
  for (char& c : line)
    if (c == '\n') c = ' ';
  return line;
}

}  // namespace

std::string FindingLine(const Finding& f, const std::filesystem::path& sourceFolder) {
  std::string line;
  if (!f.file.empty()) {
    const std::filesystem::path file = PathFromUtf8(f.file);
    line = Utf8(sourceFolder.empty() || sourceFolder == "." ? file : sourceFolder / file);
    if (f.line > 0) line += ":" + std::to_string(f.line);
    line += ": ";
  }
  line += f.IsError() ? "error " : "warning ";
  line += std::to_string(f.code) + ": " + OneLine(f.message);
  if (!f.detail.empty()) line += " (" + f.detail + ")";
  return line;
}

void TerminalFindings::Report(const Finding& finding) {
  ++(finding.IsError() ? errors_ : warnings_);
  WriteText(out_, FindingLine(finding, folder_) + "\n");
  std::fflush(out_);
}

}  // namespace orbline
