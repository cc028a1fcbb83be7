#include "document/field_splitter.h"

namespace orbline {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string_view FieldSplitter::SplitFixed(std::string_view& line, bool takeRest) const {
  std::string_view field;
  if (takeRest) {
    field = line;
    line = {};
  } else if (width_ > 0) {
    // Bytes, not characters: a boundary inside a double-byte character cuts it in two.
    const size_t w = static_cast<size_t>(width_);
    field = line.substr(0, w);
    line = line.size() > w ? line.substr(w) : std::string_view();
  }
  return TrimBlanks(field);
}

}  // namespace orbline
