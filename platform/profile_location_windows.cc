// windows.h first: the headers below need what it defines.
#include <windows.h>

#include <shlobj.h>

#include <cstdlib>

#include "platform/profile_location.h"

namespace orbline {

std::filesystem::path ProfileLocation() {
  const wchar_t* named = _wgetenv(L"ORBLINE_PROFILE");
  if (named != nullptr && *named != L'\0') return std::filesystem::path(named);
  PWSTR roaming = nullptr;
  std::filesystem::path folder;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming) == S_OK) {
    folder = roaming;
  } else if (const wchar_t* appData = _wgetenv(L"APPDATA")) {
    folder = appData;
  }
  CoTaskMemFree(roaming);
  return folder / L"Orbline.ini";
}

}  // namespace orbline
