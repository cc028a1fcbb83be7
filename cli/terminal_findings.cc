#include "cli/terminal_findings.h"

#include "compiler/route_check.h"
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

std::string ShownPath(const Finding& f, const std::filesystem::path& sourceFolder) {
  if (f.file.empty()) return {};
  const std::filesystem::path file = PathFromUtf8(f.file);
  return Utf8(sourceFolder.empty() || sourceFolder == "." ? file : sourceFolder / file);
}

std::string FindingLine(const Finding& f, const std::filesystem::path& sourceFolder) {
  std::string line;
  if (!f.file.empty()) {
    line = ShownPath(f, sourceFolder);
    if (f.line > 0) line += ":" + std::to_string(f.line);
    line += ": ";
  }
  line += f.IsError() ? "error " : "warning ";
  line += std::to_string(f.code) + ": " + OneLine(f.message);
  if (!f.detail.empty()) line += " (" + f.detail + ")";
  return line;
}

std::string CountLine(int errors, int warnings) {
  const auto count = [](int n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
  return count(errors, "error") + ", " + count(warnings, "warning");
}

void TerminalFindings::Report(const Finding& finding) {
  ++(finding.IsError() ? errors_ : warnings_);
  pending_.push_back(finding);
}

void TerminalFindings::Flush() {
  SortFindings(pending_);
  for (const Finding& f : pending_) WriteText(out_, FindingLine(f, folder_) + "\n");
  pending_.clear();
  std::fflush(out_);
}

}  // namespace orbline
