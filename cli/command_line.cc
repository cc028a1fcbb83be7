#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QStringList>

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
    "  (an option's value may also follow an equals sign: --kankaku=7)\n"
    "  --kankaku N            field width in bytes with fixed width (0..100)\n"
    "  --weekkind N           day types: 0 weekday/weekend, 1 one timetable, 2 weekday/Saturday/Sunday,\n"
    "                         3 weekday and Saturday/Sunday\n"
    "  --top 0|1              skip the first line of each timetable file\n"
    "  --30sec 0|1            a wait of exactly one minute becomes 30 seconds\n";

namespace {

bool ParseInt(const QString& text, int min, int max, int* value) {
  bool ok = false;
  const int v = text.toInt(&ok, 10);
  if (!ok || v < min || v > max) return false;
  *value = v;
  return true;
}

std::string Std(const QString& s) { return s.toStdString(); }

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string* error) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  const QCommandLineOption folder(QStringLiteral("C"), {}, QStringLiteral("DIR"));
  const QCommandLineOption output(QStringLiteral("o"), {}, QStringLiteral("FILE"));
  const QCommandLineOption noProfile(QStringLiteral("no-profile"));
  const QCommandLineOption profile(QStringLiteral("profile"), {}, QStringLiteral("FILE"));
  const QCommandLineOption kugiri(QStringLiteral("kugiri"), {}, QStringLiteral("N"));
  const QCommandLineOption separator(QStringLiteral("separator"), {}, QStringLiteral("NAME"));
  const QCommandLineOption kankaku(QStringLiteral("kankaku"), {}, QStringLiteral("N"));
  const QCommandLineOption weekkind(QStringLiteral("weekkind"), {}, QStringLiteral("N"));
  const QCommandLineOption top(QStringLiteral("top"), {}, QStringLiteral("0|1"));
  const QCommandLineOption sec30(QStringLiteral("30sec"), {}, QStringLiteral("0|1"));
  const QCommandLineOption json(QStringLiteral("json"));
  const QCommandLineOption all(QStringLiteral("all"));
  const QCommandLineOption mode(QStringLiteral("mode"), {}, QStringLiteral("N"));
  const QCommandLineOption page(QStringLiteral("page"), {}, QStringLiteral("P"));
  const QCommandLineOption grid(QStringLiteral("grid"));
  const QCommandLineOption size(QStringLiteral("size"), {}, QStringLiteral("WxH"));
  const QCommandLineOption force(QStringLiteral("force"));
  parser.addOptions({help, version, folder, output, noProfile, profile, kugiri, separator, kankaku, weekkind, top, sec30,
                     json, all, mode, page, grid, size, force});

  QStringList arguments{QStringLiteral("orblinec")};
  for (const std::string& a : args) arguments << QString::fromLocal8Bit(a.c_str());
  if (!parser.parse(arguments)) {
    *error = Std(parser.errorText());
    return std::nullopt;
  }
  CommandLine cl;
  if (parser.isSet(help)) {
    cl.command = CommandLine::Command::kHelp;
    return cl;
  }
  if (parser.isSet(version)) {
    cl.command = CommandLine::Command::kVersion;
    return cl;
  }
  // A number option given as --name N or --name=N, within its range.
  auto number = [&](const QCommandLineOption& option, int min, int max, std::optional<int>* out) {
    if (!parser.isSet(option)) return true;
    const QString text = parser.value(option);
    int v;
    if (!ParseInt(text, min, max, &v)) {
      *error = "--" + Std(option.names().first()) + " takes a whole number from " + std::to_string(min) + " to " +
               std::to_string(max) + ", not '" + Std(text) + "'";
      return false;
    }
    *out = v;
    return true;
  };
  cl.folder = Std(parser.value(folder));
  cl.output = Std(parser.value(output));
  cl.noProfile = parser.isSet(noProfile);
  cl.profilePath = Std(parser.value(profile));
  cl.json = parser.isSet(json);
  cl.all = parser.isSet(all);
  cl.grid = parser.isSet(grid);
  cl.force = parser.isSet(force);
  std::optional<int> modeValue, pageValue;
  if (!number(kugiri, 0, 3, &cl.kugiri) || !number(kankaku, 0, 100, &cl.kankaku) ||
      !number(weekkind, 0, 3, &cl.weekkind) || !number(top, 0, 1, &cl.top) || !number(sec30, 0, 1, &cl.sec30) ||
      !number(mode, 1, 7, &modeValue) || !number(page, 1, 12, &pageValue))
    return std::nullopt;
  cl.mode = modeValue.value_or(0);
  cl.page = pageValue.value_or(1);
  if (parser.isSet(separator)) {
    const std::string name = Std(parser.value(separator));
    cl.kugiri = SeparatorFromName(name);
    if (!cl.kugiri) {
      *error = "--separator takes tab, comma, space or fixed, not '" + name + "'";
      return std::nullopt;
    }
  }
  if (parser.isSet(size)) {
    const QString text = parser.value(size);
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2 || !ParseInt(parts[0], 1, 20000, &cl.width) || !ParseInt(parts[1], 1, 20000, &cl.height)) {
      *error = "--size takes WIDTHxHEIGHT in pixels, each 1 to 20000, not '" + Std(text) + "'";
      return std::nullopt;
    }
  }

  const QStringList positional = parser.positionalArguments();
  if (positional.isEmpty()) {
    *error = "no command given";
    return std::nullopt;
  }
  const std::string command = Std(positional[0]);
  if (command == "compile" || command == "check" || command == "render") {
    cl.command = command == "compile" ? CommandLine::Command::kCompile
                 : command == "check" ? CommandLine::Command::kCheck
                                      : CommandLine::Command::kRender;
    if (positional.size() > 1) {
      *error = "unexpected argument '" + Std(positional[1]) + "'";
      return std::nullopt;
    }
    if (cl.command == CommandLine::Command::kCheck && !cl.output.empty()) {
      *error = "check writes no file; -o goes with compile";
      return std::nullopt;
    }
    if (cl.command == CommandLine::Command::kRender && cl.mode == 0) {
      *error = "render needs --mode N";
      return std::nullopt;
    }
    if (cl.command == CommandLine::Command::kRender && cl.output.empty()) {
      *error = "render needs -o FILE";
      return std::nullopt;
    }
  } else if (command == "dump" || command == "decompile") {
    cl.command = command == "dump" ? CommandLine::Command::kDump : CommandLine::Command::kDecompile;
    if (positional.size() != 2) {
      *error = command + " takes one ZKF file";
      return std::nullopt;
    }
    cl.zkfFile = Std(positional[1]);
    if (cl.command == CommandLine::Command::kDecompile &&
        (cl.kankaku || cl.weekkind || cl.top || cl.sec30 || cl.kugiri.value_or(0) == FormatSettings::kFixedWidth)) {
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
