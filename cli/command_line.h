#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/display_mode.h"
#include "document/format_settings.h"
#include "document/tables.h"

namespace orbline {

// What orblinec was asked to do.
struct CommandLine {
  enum class Command { kNone, kHelp, kVersion, kCompile, kCheck, kDump, kRender, kDecompile, kServe };
  Command command = Command::kNone;

  std::filesystem::path folder;  // -C: where the source files are; empty for the current folder
  std::filesystem::path output;  // -o: the compiled file; empty for "<name of the folder>.zkf"
  bool noProfile = false;
  std::filesystem::path profilePath;  // --profile: another profile file
  // Settings given for this run only; never written back.
  std::optional<int> kugiri, kankaku, weekkind, top, sec30;

  // render: the display, its page, the grid and the image size in pixels.
  int mode = 0;
  int page = 1;
  bool grid = false;
  int width = 1000, height = 750;

  bool force = false;  // decompile: replace source files that exist

  int port = 0;         // serve: the port on 127.0.0.1; 0 for a free one
  bool noOpen = false;  // serve: do not open the browser

  std::filesystem::path zkfFile;  // dump, decompile
  bool json = false;              // dump --json, check --all --json
  bool all = false;               // check --all: every fault of the line
};

// Parses the arguments after the program name into `*cl`. On a usage error returns false with
// `*error` saying what is wrong.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* cl, std::string* error);

// The help text.
extern const char kUsage[];

// The first line of a usage error's hint.
inline constexpr char kUsageHint[] = "Try 'orblinec --help'";

}  // namespace orbline
