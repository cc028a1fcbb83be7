#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbline {

class ProfileStore;

// How the source files are read; kept in the profile, section "data".
struct FormatSettings {
  int kugiri = 0;    // field separation: 0 tab, 1 comma, 2 half-width space, 3 fixed width
  int kankaku = 5;   // field width in bytes with kugiri 3
  int weekkind = 0;  // day-type scheme of the timetable files, 0..3
  int top = 0;       // 1: the first line of each timetable file is skipped
  int sec30 = 1;     // profile key "30sec"; 1: a wait of exactly one minute becomes 30 seconds

  static constexpr int kTab = 0;
  static constexpr int kComma = 1;
  static constexpr int kSpace = 2;
  static constexpr int kFixedWidth = 3;

  // Values from the profile, taken as they are; a missing key gives its default.
  static FormatSettings Load(ProfileStore& profile);
  // Writes the five keys in the order kugiri, kankaku, weekkind, top, 30sec.
  void Save(ProfileStore& profile) const;
};

inline constexpr char kDataSection[] = "data";

// The English name of a separation (kugiri 0..3): "tab", "comma", "space", "fixed"; "" for another.
std::string_view SeparatorName(int kugiri);
// The separation of a name SeparatorName gives, or none.
std::optional<int> SeparatorFromName(std::string_view name);

// The delimiter that `kugiri` selects, written into `delimiter`; with 3 or any other value it is
// left as it was.
void DeriveDelimiter(int kugiri, std::string& delimiter);

}  // namespace orbline
