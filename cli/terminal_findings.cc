#include "cli/terminal_findings.h"

#include "platform/sjis.h"

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
    line = (sourceFolder.empty() || sourceFolder == "." ? std::filesystem::path(f.file) : sourceFolder / f.file).string();
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
  std::fprintf(out_, "%s\n", FindingLine(finding, folder_).c_str());
  std::fflush(out_);
}

}  // namespace orbline
