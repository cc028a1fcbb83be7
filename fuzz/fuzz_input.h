#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/format_settings.h"
#include "document/source_file_names.h"
#include "platform/memory_line_reader.h"

namespace orbline {

// How a fuzz input becomes reading settings and source files: four bytes choose kugiri (0..7),
// kankaku (0, −1, 1, 2, 3, 5, 8 or 1000), weekkind (−1..5) and the top and 30sec flags; the rest is
// info.txt, kind.txt, eki.txt, map.txt, data1.txt, data2.txt and data3.txt in that order, parted
// by kFileSeparator. Files the input does not reach are missing.
inline constexpr std::string_view kFileSeparator = "\n@@\n";

inline FormatSettings SettingsFromInput(const uint8_t* data, size_t size) {
  static constexpr int kWidths[] = {0, -1, 1, 2, 3, 5, 8, 1000};
  FormatSettings s;
  if (size >= 4) {
    s.kugiri = data[0] % 8;
    s.kankaku = kWidths[data[1] % 8];
    s.weekkind = static_cast<int>(data[2] % 7) - 1;
    s.top = data[3] & 1;
    s.sec30 = (data[3] >> 1) & 1;
  }
  return s;
}

// Fills `files` from the input after its four settings bytes.
inline void FilesFromInput(const uint8_t* data, size_t size, MemoryLineReader& files) {
  if (size < 4) return;
  std::string_view rest(reinterpret_cast<const char*>(data + 4), size - 4);
  for (const std::string& name : SourceFileNames()) {
    const size_t cut = rest.find(kFileSeparator);
    files.Set(name, std::string(rest.substr(0, cut)));
    if (cut == std::string_view::npos) return;
    rest.remove_prefix(cut + kFileSeparator.size());
  }
}

}  // namespace orbline
