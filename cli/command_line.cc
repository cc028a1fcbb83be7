#include "cli/command_line.h"

#include <cerrno>
#include <cstdlib>

namespace orbline {

const char kUsage[] =
    "usage: orblinec compile [-C DIR] [-o FILE] [settings]\n"
    "       orblinec check [-C DIR] [settings] [--all [--json]]\n"
    "       orblinec dump FILE.zkf [--json]\n"
    "       orblinec decompile FILE.zkf [-C OUTDIR] [--kugiri N] [--force]\n"
    "       orblinec render [-C DIR] [settings] --mode N [--page P] [--grid] [--size WxH] -o FILE\n"
    "       orblinec --help | --version\n"
    "\n"
    "compile  read the line's source files from DIR (default: the current folder), check them\n"
    "         and write the ZKF file FILE (default: <name of DIR>.zkf in the current folder)\n"
    "check    read and check the source files as compile does, without writing; --all reads\n"
    "         every file to its end and reports every fault and warning of the line, sorted by\n"
    "         file and line, then a count; with --json as one JSON array on standard output\n"
    "dump     show a ZKF file's contents; --json for scripts\n"
    "decompile  write the source files of a ZKF file into OUTDIR (default: the current folder),\n"
    "         such that compiling them with the settings it prints gives the same file, byte for\n"
    "         byte; it writes nothing when that cannot be, and never replaces existing source\n"
    "         files unless --force is given\n"
    "render   read the files of display N as the window's test command does and draw it, as the\n"
    "         window would, into FILE (.png, .svg or .pdf); N is 1 route info, 2 kinds, 3 stations,\n"
    "         4 bird's-eye view, 5 diagram, 6 route map, 7 timetable; P is the page 1..12 (default\n"
    "         1); --grid draws the map grid; the size defaults to 1000x750. The image is written\n"
    "         even when a file has a fault, which is reported and ends with status 1\n"
    "\n"
    "Messages go to standard error, one line each: [<file>[:<line>]: ]error <code>: <message>, or\n"
    "warning <code> for what never stops compiling (a file saved as UTF-8, say).\n"
    "Exit status: 0 when done, 1 when a fault stopped it (check --all: when there is an error),\n"
    "2 for a usage error.\n"
    "\n"
    "settings (default: the window's profile, section \"data\"; given ones apply to this run only):\n"
    "  --no-profile           ignore the profile and start from the default settings\n"
    "  --profile FILE         read the settings from another profile file\n"
    "  --kugiri N             field separation: 0 tab, 1 comma, 2 half-width space, 3 fixed width\n"
    "  --separator tab|comma|space|fixed   the same by name\n"
    "  --kankaku N            field width in bytes with fixed width (0..100)\n"
    "  --weekkind N           day types: 0 weekday/weekend, 1 one timetable, 2 weekday/Saturday/Sunday,\n"
    "                         3 weekday and Saturday/Sunday\n"
    "  --top 0|1              skip the first line of each timetable file\n"
    "  --30sec 0|1            a wait of exactly one minute becomes 30 seconds\n";

namespace {

bool ParseInt(const std::string& text, int min, int max, int* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < min || v > max) return false;
  *value = static_cast<int>(v);
  return true;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string* error) {
  CommandLine cl;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) {
        *error = arg + " needs a value";
        return false;
      }
      *out = args[++i];
      return true;
    };
    auto number = [&](std::optional<int>* out, int min, int max) {
      std::string text;
      if (!value(&text)) return false;
      int v;
      if (!ParseInt(text, min, max, &v)) {
        *error = arg + " takes a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
                 ", not '" + text + "'";
        return false;
      }
      *out = v;
      return true;
    };

    if (arg == "--help" || arg == "-h") {
      cl.command = CommandLine::Command::kHelp;
      return cl;
    }
    if (arg == "--version") {
      cl.command = CommandLine::Command::kVersion;
      return cl;
    }
    bool ok = true;
    if (arg == "-C") {
      ok = value(&cl.folder);
    } else if (arg == "-o") {
      ok = value(&cl.output);
    } else if (arg == "--no-profile") {
      cl.noProfile = true;
    } else if (arg == "--profile") {
      ok = value(&cl.profilePath);
    } else if (arg == "--kugiri") {
      ok = number(&cl.kugiri, 0, 3);
    } else if (arg == "--separator") {
      std::string name;
      ok = value(&name);
      if (ok) {
        const char* names[] = {"tab", "comma", "space", "fixed"};
        cl.kugiri.reset();
        for (int k = 0; k < 4; ++k)
          if (name == names[k]) cl.kugiri = k;
        if (!cl.kugiri) {
          *error = "--separator takes tab, comma, space or fixed, not '" + name + "'";
          ok = false;
        }
      }
    } else if (arg == "--kankaku") {
      ok = number(&cl.kankaku, 0, 100);
    } else if (arg == "--weekkind") {
      ok = number(&cl.weekkind, 0, 3);
    } else if (arg == "--top") {
      ok = number(&cl.top, 0, 1);
    } else if (arg == "--30sec") {
      ok = number(&cl.sec30, 0, 1);
    } else if (arg == "--json") {
      cl.json = true;
    } else if (arg == "--all") {
      cl.all = true;
    } else if (arg == "--mode") {
      std::optional<int> v;
      ok = number(&v, 1, 7);
      if (ok) cl.mode = *v;
    } else if (arg == "--page") {
      std::optional<int> v;
      ok = number(&v, 1, 12);
      if (ok) cl.page = *v;
    } else if (arg == "--force") {
      cl.force = true;
    } else if (arg == "--grid") {
      cl.grid = true;
    } else if (arg == "--size") {
      std::string text;
      ok = value(&text);
      const size_t x = text.find('x');
      int w = 0, h = 0;
      if (ok && (x == std::string::npos || !ParseInt(text.substr(0, x), 1, 20000, &w) ||
                 !ParseInt(text.substr(x + 1), 1, 20000, &h))) {
        *error = "--size takes WIDTHxHEIGHT in pixels, each 1 to 20000, not '" + text + "'";
        ok = false;
      }
      cl.width = w;
      cl.height = h;
    } else if (!arg.empty() && arg[0] == '-') {
      *error = "unknown option " + arg;
      ok = false;
    } else {
      positional.push_back(arg);
    }
    if (!ok) return std::nullopt;
  }

  if (positional.empty()) {
    *error = "no command given";
    return std::nullopt;
  }
  const std::string& command = positional[0];
  if (command == "compile" || command == "check") {
    cl.command = command == "compile" ? CommandLine::Command::kCompile : CommandLine::Command::kCheck;
    if (positional.size() > 1) {
      *error = "unexpected argument '" + positional[1] + "'";
      return std::nullopt;
    }
    if (cl.command == CommandLine::Command::kCheck && !cl.output.empty()) {
      *error = "check writes no file; -o goes with compile";
      return std::nullopt;
    }
  } else if (command == "render") {
    cl.command = CommandLine::Command::kRender;
    if (positional.size() > 1) {
      *error = "unexpected argument '" + positional[1] + "'";
      return std::nullopt;
    }
    if (cl.mode == 0) {
      *error = "render needs --mode N";
      return std::nullopt;
    }
    if (cl.output.empty()) {
      *error = "render needs -o FILE";
      return std::nullopt;
    }
  } else if (command == "dump" || command == "decompile") {
    cl.command = command == "dump" ? CommandLine::Command::kDump : CommandLine::Command::kDecompile;
    if (positional.size() != 2) {
      *error = command + " takes one ZKF file";
      return std::nullopt;
    }
    cl.zkfFile = positional[1];
    if (cl.command == CommandLine::Command::kDecompile &&
        (cl.kankaku || cl.weekkind || cl.top || cl.sec30 || cl.kugiri.value_or(0) == 3)) {
      *error = "decompile chooses its own settings; only --kugiri 0, 1 or 2 may be given";
      return std::nullopt;
    }
  } else {
    *error = "unknown command '" + command + "'";
    return std::nullopt;
  }
  if (cl.all && cl.command != CommandLine::Command::kCheck) {
    *error = "--all goes with check";
    return std::nullopt;
  }
  if (cl.json && cl.command != CommandLine::Command::kDump && !cl.all) {
    *error = "--json goes with dump or check --all";
    return std::nullopt;
  }
  return cl;
}

}  // namespace orbline
