#include "cli/run_settings.h"

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

}  // namespace orbline
