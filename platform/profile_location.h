#pragma once

#include <filesystem>

namespace orbline {

// Where the window keeps its profile and orblinec reads it: the file $ORBLINE_PROFILE names when it
// is set, otherwise "Orbline.ini" in the user's configuration folder: $XDG_CONFIG_HOME or
// ~/.config on Linux, the roaming application data folder (%APPDATA%) on Windows, where QSettings
// keeps an INI profile.
std::filesystem::path ProfileLocation();

}  // namespace orbline
