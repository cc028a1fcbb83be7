#pragma once

#include <cstddef>
#include <string_view>

namespace orbline {

// A row of a generated table of the program's texts: an id and the text's Shift_JIS bytes.
template <typename Id>
struct SjisText {
  Id id;
  const char* text;
  int length;
};

// The text of `id` in `table`, or "" when the table has none.
template <typename Id, size_t N>
std::string_view FindSjisText(const SjisText<Id> (&table)[N], Id id) {
  for (const SjisText<Id>& row : table)
    if (row.id == id) return std::string_view(row.text, static_cast<size_t>(row.length));
  return {};
}

}  // namespace orbline
