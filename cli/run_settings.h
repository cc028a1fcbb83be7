#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "cli/command_line.h"
#include "document/document.h"
#include "document/format_settings.h"

namespace orbline {

// The reading settings of one run: the profile's section "data" (unless --no-profile, or another
// profile with --profile) with the options given on top. Nothing is written back.
FormatSettings RunSettings(const CommandLine& cl);

// An empty document with the run's settings.
std::unique_ptr<Document> RunDocument(const CommandLine& cl);

// The folder of the source files as -C gives it, without trailing slashes, into `*folder`; empty for
// the current one. False, with `*err` saying so, when there is no such folder.
bool SourceFolder(const CommandLine& cl, std::filesystem::path* folder, std::string* err);

// "<name of the folder>.zkf", the compiled file's name when -o is not given: the folder's own
// name, or "line" where it has none (the root).
std::string DefaultOutputName(const std::filesystem::path& folder);

}  // namespace orbline
