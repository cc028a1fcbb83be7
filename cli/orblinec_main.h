#pragma once

#include <string>
#include <vector>

namespace orbline {

// orblinec with `args`, the arguments after the program's name as UTF-8; returns the exit status.
int RunOrblinec(const std::vector<std::string>& args);

}  // namespace orbline
