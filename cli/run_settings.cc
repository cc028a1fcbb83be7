#include "cli/run_settings.h"

#include <cstdio>

#include "platform/qt/qsettings_profile_store.h"

namespace orbline {

FormatSettings RunSettings(const CommandLine& cl) {
  FormatSettings s;
  if (!cl.noProfile) {
    QSettingsProfileStore profile(cl.profilePath.empty() ? ProfilePath() : QString::fromLocal8Bit(cl.profilePath.c_str()));
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

std::optional<std::filesystem::path> SourceFolder(const CommandLine& cl) {
  std::filesystem::path folder = cl.folder;
  while (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  std::error_code ec;
  if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
    std::fprintf(stderr, "orblinec: %s: no such folder\n", folder.c_str());
    return std::nullopt;
  }
  return folder;
}

}  // namespace orbline
