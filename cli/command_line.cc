#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>

#include "platform/utf8_path.h"

namespace orbline {

const char kUsage[] =
    "usage: orblinec compile [-C DIR] [-o FILE] [settings]\n"
    "       orblinec check [-C DIR] [settings] [--all [--json]]\n"
    "       orblinec dump FILE.zkf [--json]\n"
    "       orblinec decompile FILE.zkf [-C OUTDIR] [--kugiri N] [--force]\n"
    "       orblinec render [-C DIR] [settings] --mode N [--page P] [--grid] [--size WxH] -o FILE\n"
    "       orblinec serve [-C DIR] [settings] [-o FILE] [--port N] [--no-open]\n"
    "       orblinec --help | --version\n"
    "\n"
    "compile  read the line's source files from DIR (default: the current folder), check them\n"
    "         and write the ZKF file FILE (default: <name of DIR>.zkf in the current folder)\n"
    "check    read and check the source files as compile does, without writing; --all reads\n"
    "         every file to its end and reports every fault and warning of the line, sorted by\n"
    "         file and line, then a count, on standard output; with --json as one JSON array\n"
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
    "serve    test the line in a browser: a server on 127.0.0.1 (port N, default any free one)\n"
    "         shows every display, the problems of the whole line and the settings, redraws when\n"
    "         a source file is saved, and compiles to FILE as compile does. Its address, with the\n"
    "         run's token, is the first line of standard output; the default browser opens on it\n"
    "         unless --no-open. The settings form keeps its settings in the profile. Ctrl+C stops it\n"
    "\n"
    "Messages go to standard error (check --all: standard output), one line each, sorted by file\n"
    "and line: [<file>[:<line>]: ]error <code>: <message>, or warning <code> for what never stops\n"
    "compiling (a file saved as UTF-8, say).\n"
    "Exit status: 0 when done, 1 when a fault stopped it (check --all: when there is an error),\n"
    "2 for a usage error (check --all: a folder DIR that is not there, too).\n"
    "\n"
    "settings (default: the window's profile, section \"data\"; given ones apply to this run only):\n"
    "  --no-profile           ignore the profile and start from the default settings\n"
    "  --profile FILE         read the settings from another profile file\n"
    "  --kugiri N             field separation: 0 tab, 1 comma, 2 half-width space, 3 fixed width\n"
    "  --separator tab|comma|space|fixed   the same by name\n"
    "  (an option's value may also follow an equals sign: --kankaku=7)\n"
    "  --kankaku N            field width in bytes with fixed width (0..100)\n"
    "  --weekkind N           day types: 0 weekday/weekend, 1 one timetable, 2 weekday/Saturday/Sunday,\n"
    "                         3 weekday and Saturday/Sunday\n"
    "  --top 0|1              skip the first line of each timetable file\n"
    "  --30sec 0|1            a wait of exactly one minute becomes 30 seconds\n";

namespace {

// `text` as a whole number from `min` to `max`.
bool ParseInt(std::string_view text, int min, int max, int* value) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() || v < min || v > max) return false;
  *value = v;
  return true;
}

// The options orblinec knows, each kept as the text it was given; a flag as set or not.
struct Given {
  bool help = false, version = false, noProfile = false, json = false, all = false, grid = false, force = false,
       noOpen = false;
  std::optional<std::string> folder, output, profile, kugiri, separator, kankaku, weekkind, top, sec30, mode, page,
      size, port;
  std::vector<std::string> positional;
};

// Parses with CLI11; its exceptions end here. False with `*error` in CLI11's words on a usage error.
bool Parse(const std::vector<std::string>& args, Given* g, std::string* error) {
  try {
    CLI::App app;
    app.set_help_flag();
    app.add_flag("-h,--help", g->help);
    app.add_flag("--version", g->version);
    app.add_flag("--no-profile", g->noProfile);
    app.add_flag("--json", g->json);
    app.add_flag("--all", g->all);
    app.add_flag("--grid", g->grid);
    app.add_flag("--force", g->force);
    app.add_flag("--no-open", g->noOpen);
    const std::pair<const char*, std::optional<std::string>*> values[] = {{"-C", &g->folder},
                                                                          {"-o", &g->output},
                                                                          {"--profile", &g->profile},
                                                                          {"--kugiri", &g->kugiri},
                                                                          {"--separator", &g->separator},
                                                                          {"--kankaku", &g->kankaku},
                                                                          {"--weekkind", &g->weekkind},
                                                                          {"--top", &g->top},
                                                                          {"--30sec", &g->sec30},
                                                                          {"--mode", &g->mode},
                                                                          {"--page", &g->page},
                                                                          {"--size", &g->size},
                                                                          {"--port", &g->port}};
    for (const auto& [name, value] : values)
      app.add_option(name, *value)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("arguments", g->positional);
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
    return true;
  } catch (const CLI::Error& e) {
    *error = e.what();
    return false;
  } catch (const std::exception& e) {
    *error = e.what();
    return false;
  }
}

}  // namespace

namespace {

// The options' values into `cl`: numbers within their ranges, the separation by name, the size.
bool TakeValues(const Given& given, CommandLine* cl, std::string* error) {
  // A number option given as --name N or --name=N, within its range.
  auto number = [&](const char* name, const std::optional<std::string>& text, int min, int max,
                    std::optional<int>* out) {
    if (!text) return true;
    int v;
    if (!ParseInt(*text, min, max, &v)) {
      *error = std::string("--") + name + " takes a whole number from " + std::to_string(min) + " to " +
               std::to_string(max) + ", not '" + *text + "'";
      return false;
    }
    *out = v;
    return true;
  };
  std::optional<int> modeValue, pageValue, portValue;
  if (!number("kugiri", given.kugiri, 0, 3, &cl->kugiri) || !number("kankaku", given.kankaku, 0, 100, &cl->kankaku) ||
      !number("weekkind", given.weekkind, 0, 3, &cl->weekkind) || !number("top", given.top, 0, 1, &cl->top) ||
      !number("30sec", given.sec30, 0, 1, &cl->sec30) ||
      !number("mode", given.mode, kFirstMode, kLastMode, &modeValue) ||
      !number("page", given.page, 1, kPageCount, &pageValue) || !number("port", given.port, 0, 65535, &portValue))
    return false;
  cl->port = portValue.value_or(0);
  cl->mode = modeValue.value_or(0);
  cl->page = pageValue.value_or(1);
  if (given.separator) {
    cl->kugiri = SeparatorFromName(*given.separator);
    if (!cl->kugiri) {
      *error = "--separator takes tab, comma, space or fixed, not '" + *given.separator + "'";
      return false;
    }
  }
  if (given.size) {
    const std::string& text = *given.size;
    const size_t x = text.find('x');
    if (x == std::string::npos || !ParseInt(std::string_view(text).substr(0, x), 1, 20000, &cl->width) ||
        !ParseInt(std::string_view(text).substr(x + 1), 1, 20000, &cl->height)) {
      *error = "--size takes WIDTHxHEIGHT in pixels, each 1 to 20000, not '" + text + "'";
      return false;
    }
  }
  return true;
}

// The command and its arguments, and the options that go with it only.
bool TakeCommand(const Given& given, CommandLine* cl, std::string* error) {
  const std::vector<std::string>& positional = given.positional;
  const auto fail = [&](std::string why) {
    *error = std::move(why);
    return false;
  };
  if (positional.empty()) return fail("no command given");
  const std::string& command = positional[0];
  if (command == "compile" || command == "check" || command == "render" || command == "serve") {
    cl->command = command == "compile" ? CommandLine::Command::kCompile
                  : command == "check" ? CommandLine::Command::kCheck
                  : command == "serve" ? CommandLine::Command::kServe
                                       : CommandLine::Command::kRender;
    if (positional.size() > 1) return fail("unexpected argument '" + positional[1] + "'");
    if (cl->command == CommandLine::Command::kCheck && !cl->output.empty())
      return fail("check writes no file; -o goes with compile");
    if (cl->command == CommandLine::Command::kRender && cl->mode == 0) return fail("render needs --mode N");
    if (cl->command == CommandLine::Command::kRender && cl->output.empty()) return fail("render needs -o FILE");
  } else if (command == "dump" || command == "decompile") {
    cl->command = command == "dump" ? CommandLine::Command::kDump : CommandLine::Command::kDecompile;
    if (positional.size() != 2) return fail(command + " takes one ZKF file");
    cl->zkfFile = PathFromUtf8(positional[1]);
    if (cl->command == CommandLine::Command::kDecompile &&
        (cl->kankaku || cl->weekkind || cl->top || cl->sec30 || cl->kugiri.value_or(0) == FormatSettings::kFixedWidth))
      return fail("decompile chooses its own settings; only --kugiri 0, 1 or 2 may be given");
  } else {
    return fail("unknown command '" + command + "'");
  }
  if ((given.port || cl->noOpen) && cl->command != CommandLine::Command::kServe)
    return fail("--port and --no-open go with serve");
  if (cl->all && cl->command != CommandLine::Command::kCheck) return fail("--all goes with check");
  if (cl->json && cl->command != CommandLine::Command::kDump && !cl->all)
    return fail("--json goes with dump or check --all");
  return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out, std::string* error) {
  Given given;
  if (!Parse(args, &given, error)) return false;
  CommandLine cl;
  if (given.help || given.version) {
    cl.command = given.help ? CommandLine::Command::kHelp : CommandLine::Command::kVersion;
    *out = std::move(cl);
    return true;
  }
  cl.folder = PathFromUtf8(given.folder.value_or(""));
  cl.output = PathFromUtf8(given.output.value_or(""));
  cl.noProfile = given.noProfile;
  cl.profilePath = PathFromUtf8(given.profile.value_or(""));
  cl.json = given.json;
  cl.all = given.all;
  cl.grid = given.grid;
  cl.force = given.force;
  cl.noOpen = given.noOpen;
  if (!TakeValues(given, &cl, error) || !TakeCommand(given, &cl, error)) return false;
  *out = std::move(cl);
  return true;
}

}  // namespace orbline
