#include "view/view_texts.h"

#include <cstdarg>
#include <cstdio>

#include "document/sjis_text_table.h"

namespace orbline {
namespace {

const SjisText<ViewText> kTexts[] = {
#include "view_texts.inc"
};

}  // namespace

std::string_view GetViewText(ViewText id) { return FindSjisText(kTexts, id); }

std::string FormatBytes(const char* f, ...) {
  // The formats are ours and a Shift_JIS trail byte is never '%', so the bytes pass unchanged.
  va_list args;
  va_start(args, f);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, f, args);
  va_end(args);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), f, again);
    out.pop_back();
  }
  va_end(again);
  return out;
}

}  // namespace orbline
