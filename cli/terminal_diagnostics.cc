#include "cli/terminal_diagnostics.h"

#include "doc/day_type_scheme.h"
#include "doc/error_code.h"
#include "doc/format_settings.h"
#include "platform/sjis.h"

namespace orbline {
namespace {

std::string OneLine(std::string_view sjis) {
  std::string line = SjisToUtf8(sjis);
  for (char& c : line)
    if (c == '\n') c = ' ';
  return line;
}

std::string DataFile(int number) { return "data" + std::to_string(number) + ".txt"; }

}  // namespace

std::string ErrorLocation(int code, int a, int b, int top, int weekkind) {
  // A timetable file's train lines follow its header, and the skipped first line with `top`.
  const int headerLine = 1 + (top ? 1 : 0);
  switch (code) {
    case kErrStationCalcNo:
    case kErrEkiRatio:
    case kErrEkiNameBlank:
      return "eki.txt:" + std::to_string(a);
    case kErrMapCalcStation:
      return "map.txt:" + std::to_string(a);
    case kErrDataKind:
    case kErrDataCarType:
    case kErrDataStation:
      return DataFile(a) + ":" + std::to_string(headerLine + b);
    case kErrDataHeaderCalcNo:
      return DataFile(a) + ":" + std::to_string(headerLine);
    case kErrTrainKind:
    case kErrTrainCarType:
    case kErrTrainStation: {
      // Day type a - 1 was read from the file the scheme gives it.
      const int file = TimetableFileFor(weekkind, a - 1);
      return file == 0 ? std::string() : DataFile(file) + ":" + std::to_string(headerLine + b);
    }
    default:
      return {};
  }
}

void TerminalDiagnostics::Show(std::string_view text, std::string_view caption, MessageIcon) {
  ++count_;
  std::string line = OneLine(text);
  if (!caption.empty()) line = OneLine(caption) + ": " + line;
  std::fprintf(out_, "%s\n", line.c_str());
  std::fflush(out_);
}

void TerminalDiagnostics::ShowError(int code, int a, int b, std::string_view) {
  ++count_;
  std::string location = ErrorLocation(code, a, b, settings_.top, settings_.weekkind);
  std::string prefix;
  if (!location.empty()) prefix = (folder_.empty() || folder_ == "." ? "" : folder_ + "/") + location + ": ";
  std::string line = prefix + "error " + std::to_string(code) + ": " + OneLine(FormatErrorMessage(code, a, b));
  std::fprintf(out_, "%s\n", line.c_str());
  std::fflush(out_);
}

}  // namespace orbline
