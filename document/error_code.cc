#include "document/error_code.h"

#include <cstdio>
#include <iterator>

namespace orbline {
namespace {

using enum Severity;
const ErrorMessage kMessages[] = {
#include "error_messages.inc"
};

// printf-style formatting of a message from the table. The format is always one of ours; a
// Shift_JIS trail byte is never '%' (0x25), so the bytes of the texts pass through unchanged.
std::string Format(const char* format, int a, int b) {
  int n = std::snprintf(nullptr, 0, format, a, b);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(out.data(), out.size(), format, a, b);
  out.pop_back();
  return out;
}

}  // namespace

int TrainFaultCode(Train::Fault fault, TrainCheck where) {
  const bool reading = where == TrainCheck::kReading;
  switch (fault) {
    case Train::Fault::kKind: return reading ? kErrDataKind : kErrTrainKind;
    case Train::Fault::kCarType: return reading ? kErrDataCarType : kErrTrainCarType;
    case Train::Fault::kStation: return reading ? kErrDataStation : kErrTrainStation;
    case Train::Fault::kNone: break;
  }
  return 0;
}

std::span<const ErrorMessage> ErrorMessages() { return kMessages; }

const ErrorMessage& FindErrorMessage(int code) {
  for (const ErrorMessage& m : kMessages)
    if (m.code == code && m.code != 0) return m;
  return kMessages[std::size(kMessages) - 1];
}

std::string FormatErrorMessage(int code, int a, int b) { return Format(FindErrorMessage(code).text, a, b); }

Finding MakeFinding(int code, int a, int b, std::string_view file, int line) {
  Finding f;
  f.severity = FindErrorMessage(code).severity;
  f.code = code;
  f.a = a;
  f.b = b;
  f.file = file;
  f.line = line;
  f.message = FormatErrorMessage(code, a, b);
  return f;
}

}  // namespace orbline
