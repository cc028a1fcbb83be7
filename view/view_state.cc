#include "view/view_state.h"

#include "platform/profile_store.h"

namespace orbline {
namespace {
constexpr char kSection[] = "mode";
}

ViewState ViewState::Load(ProfileStore& profile) {
  ViewState s;
  s.displayMode = profile.GetInt(kSection, "mode", 1);
  s.eria = profile.GetInt(kSection, "eria", 1);
  s.grid = profile.GetInt(kSection, "grid", 1);
  if (s.displayMode < kFirstMode || s.displayMode > kLastMode) s.displayMode = kModeRouteInfo;
  if (s.eria < 1 || s.eria > kPageCount) s.eria = 1;
  return s;
}

void ViewState::Save(ProfileStore& profile) const {
  profile.WriteInt(kSection, "mode", displayMode);
  profile.WriteInt(kSection, "eria", eria);
  profile.WriteInt(kSection, "grid", grid);
}

}  // namespace orbline
