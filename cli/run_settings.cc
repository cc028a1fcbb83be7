#include "cli/run_settings.h"

#include <cstdio>

#include "platform/console.h"
#include "platform/ini_profile_store.h"
#include "platform/profile_location.h"
#include "platform/utf8_path.h"

namespace orbline {

FormatSettings RunSettings(const CommandLine& cl) {
  FormatSettings s;
  if (!cl.noProfile) {
    const std::filesystem::path path = cl.profilePath.empty() ? ProfileLocation() : cl.profilePath;
    IniProfileStore profile(path);
    if (!profile.error().empty())
      Print(stderr, "orblinec: %s: %s; the settings are the default ones\n", Utf8(path).c_str(),
            profile.error().c_str());
    s = FormatSettings::Load(profile);
  }
  if (cl.kugiri) s.kugiri = *cl.kugiri;
  if (cl.kankaku) s.kankaku = *cl.kankaku;
  if (cl.weekkind) s.weekkind = *cl.weekkind;
  if (cl.top) s.top = *cl.top;
  if (cl.sec30) s.sec30 = *cl.sec30;
  return s;
}

std::unique_ptr<Document> RunDocument(const CommandLine& cl) {
  auto doc = std::make_unique<Document>();
  doc->settings = RunSettings(cl);
  doc->DeriveDelimiter();
  return doc;
}

bool SourceFolder(const CommandLine& cl, std::filesystem::path* folder, std::string* err) {
  std::filesystem::path given = cl.folder;
  while (!given.has_filename() && given.has_relative_path()) given = given.parent_path();
  std::error_code ec;
  if (!given.empty() && !std::filesystem::is_directory(given, ec)) {
    *err = Utf8(given) + ": no such folder";
    return false;
  }
  *folder = std::move(given);
  return true;
}

std::string DefaultOutputName(const std::filesystem::path& folder) {
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::weakly_canonical(folder.empty() ? "." : folder, ec);
  const std::string name = ec ? std::string() : Utf8(p.filename());
  return (name.empty() ? "line" : name) + ".zkf";
}

}  // namespace orbline
