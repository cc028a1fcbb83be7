#pragma once

#include "cli/command_line.h"
#include "document/format_settings.h"

namespace orbline {

// The reading settings of one run: the profile's section "data" (unless --no-profile, or another
// profile with --profile) with the options given on top. Nothing is written back.
FormatSettings RunSettings(const CommandLine& cl);

}  // namespace orbline
