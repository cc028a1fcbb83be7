// orblinec: Zelkor Maker from the command line.
//
//   orblinec check [-C DIR]   reads every source file of the line in DIR as compiling does and
//                             says what was read, or the first fault found.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "cli/terminal_message_sink.h"
#include "doc/document.h"
#include "platform/disk_line_reader.h"
#include "platform/memory_profile_store.h"

namespace orbline {
namespace {

constexpr char kVersion[] = "Zelkor Maker Ver 1.17 (orblinec), ZKF 2.00";

void PrintUsage(std::FILE* out) {
  std::fprintf(out,
               "usage: orblinec check [-C DIR]\n"
               "\n"
               "  check    read every source file of the line in DIR (default: the current\n"
               "           folder) and report the first fault, as compiling would\n"
               "  -C DIR   the folder that holds info.txt, kind.txt, eki.txt, map.txt, data*.txt\n"
               "  --help, --version\n");
}

int CountRows(const Document& doc, int& kinds, int& stations, int& items) {
  kinds = stations = items = 0;
  while (kinds < kKindCapacity && !(doc.kindTexts[kinds][0].empty() && doc.kindTexts[kinds][1].empty())) ++kinds;
  while (stations < kStationCapacity && !doc.stationTexts[stations][station::kName].empty()) ++stations;
  while (items < kMapItemCapacity && doc.mapValues[items][map::kKind] != 0) ++items;
  return 0;
}

int Check(const std::string& folder) {
  DiskLineReader files(folder);
  // Default settings; the profile of the window comes with the compiler.
  MemoryProfileStore profile;
  TerminalMessageSink messages(stderr);
  WaitCursor waitCursor;
  auto doc = std::make_unique<Document>(Services{files, profile, messages, waitCursor});
  doc->ResetTables();
  if (!doc->ReadInfo() || !doc->ReadKinds() || !doc->ReadStations() || !doc->ReadMap() ||
      !doc->ReadTimetables())
    return 1;
  int kinds, stations, items;
  CountRows(*doc, kinds, stations, items);
  int trains[kDayTypeCount] = {};
  for (int d = 0; d < kDayTypeCount; ++d)
    while (trains[d] < kTrainCapacity && doc->trainValues[d][trains[d]][train::kKind] != 0) ++trains[d];
  std::printf("read %s: %d kinds, %d stations, %d map items, trains %d/%d/%d, max calc station %d\n",
              folder.empty() ? "." : folder.c_str(), kinds, stations, items, trains[0], trains[1], trains[2],
              doc->maxCalcStation);
  return 0;
}

}  // namespace
}  // namespace orbline

int main(int argc, char** argv) {
  using namespace orbline;
  std::string command;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintUsage(stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("%s\n", kVersion);
      return 0;
    }
    if (arg == "-C" && i + 1 < argc) {
      folder = argv[++i];
    } else if (command.empty() && arg == "check") {
      command = arg;
    } else {
      std::fprintf(stderr, "orblinec: unexpected argument '%s'\n", argv[i]);
      PrintUsage(stderr);
      return 2;
    }
  }
  if (command.empty()) {
    PrintUsage(stderr);
    return 2;
  }
  return Check(folder);
}
