#include "document/format_settings.h"

#include <iterator>

#include "platform/profile_store.h"

namespace orbline {

FormatSettings FormatSettings::Load(ProfileStore& profile) {
  const FormatSettings defaults;
  FormatSettings s;
  s.kugiri = profile.GetInt(kDataSection, "kugiri", defaults.kugiri);
  s.kankaku = profile.GetInt(kDataSection, "kankaku", defaults.kankaku);
  s.weekkind = profile.GetInt(kDataSection, "weekkind", defaults.weekkind);
  s.top = profile.GetInt(kDataSection, "top", defaults.top);
  s.sec30 = profile.GetInt(kDataSection, "30sec", defaults.sec30);
  return s;
}

void FormatSettings::Save(ProfileStore& profile) const {
  profile.WriteInt(kDataSection, "kugiri", kugiri);
  profile.WriteInt(kDataSection, "kankaku", kankaku);
  profile.WriteInt(kDataSection, "weekkind", weekkind);
  profile.WriteInt(kDataSection, "top", top);
  profile.WriteInt(kDataSection, "30sec", sec30);
}

namespace {
constexpr std::string_view kSeparatorNames[] = {"tab", "comma", "space", "fixed"};
}

std::string_view SeparatorName(int kugiri) {
  return kugiri >= 0 && kugiri < static_cast<int>(std::size(kSeparatorNames)) ? kSeparatorNames[kugiri] : "";
}

std::optional<int> SeparatorFromName(std::string_view name) {
  for (int k = 0; k < static_cast<int>(std::size(kSeparatorNames)); ++k)
    if (kSeparatorNames[k] == name) return k;
  return std::nullopt;
}

void DeriveDelimiter(int kugiri, std::string& delimiter) {
  switch (kugiri) {
    case FormatSettings::kTab: delimiter = "\t"; break;
    case FormatSettings::kComma: delimiter = ","; break;
    case FormatSettings::kSpace: delimiter = " "; break;
    default: break;
  }
}

}  // namespace orbline
