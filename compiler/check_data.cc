#include "compiler/check_data.h"

#include "document/document.h"
#include "document/error_code.h"
#include "document/map_kinds.h"
#include "document/source_files.h"
#include "document/train_check.h"

namespace orbline {
namespace {

constexpr int kMaxLinkStation = kCalcStationCapacity;  // link To and To2 name calc stations 1..100, or 0

}  // namespace

int CheckData(const Document& doc, FindingSink& findings, bool keepGoing) {
  int result = 1;
  auto fatal = [&](int code, int a, int b, std::string_view file, int line) {
    findings.Report(MakeFinding(code, a, b, file, line));
    result = 0;
    return !keepGoing;
  };

  // Stations, up to the first without a name.
  for (int i = 0, n = doc.StationRows(); i < n; ++i) {
    const auto& v = doc.stationValues[i];
    const int line = doc.StationLine(i);
    if (v[station::kCalcStationNo] > kMaxStationNumber || v[station::kLink1To] > kMaxLinkStation ||
        v[station::kLink2To] > kMaxLinkStation || v[station::kLink1To2] > kMaxLinkStation ||
        v[station::kLink2To2] > kMaxLinkStation) {
      if (fatal(kErrStationCalcNo, line, 0, kEkiFile, line)) return 0;
    }
    if (v[station::kRatio] > kMaxRatio) findings.Report(MakeFinding(kErrStationRatio, 0, 0, kEkiFile, line));
    if (v[station::kLink1To] != 0 && v[station::kLink1To2] == 0)
      findings.Report(MakeFinding(kErrStationTo2Missing, 0, 0, kEkiFile, line));
    if (v[station::kLink2To] != 0 && v[station::kLink2To2] == 0)
      findings.Report(MakeFinding(kErrStationTo2Missing, 0, 0, kEkiFile, line));
  }

  // Map items, up to the first of kind 0: station links and bars name calc stations 1..100.
  for (int i = 0; i < kMapItemCapacity; ++i) {
    const auto& v = doc.mapValues[i];
    if (v[map::kKind] == 0) break;
    if (!map::NamesCalcStations(v[map::kKind])) continue;
    if (v[1] < 1 || v[1] > kCalcStationCapacity || v[2] < 1 || v[2] > kCalcStationCapacity) {
      const int line = doc.MapLine(i);
      if (fatal(kErrMapCalcStation, line, 0, kMapFile, line)) return 0;
    }
  }

  // Trains of all three day types, whatever the scheme, each up to its first of kind 0.
  for (int day = 0; day < kDayTypeCount; ++day) {
    const std::string file = doc.dayTypeFile[day] != 0 ? TimetableFileName(doc.dayTypeFile[day]) : std::string();
    for (int i = 0; i < kTrainCapacity; ++i) {
      const auto& v = doc.trainValues[day][i];
      if (v[train::kKind] == 0) break;
      static constexpr int kCodes[] = {0, kErrTrainKind, kErrTrainCarType, kErrTrainStation};
      if (const TrainFault fault = CheckTrain(v); fault != TrainFault::kNone) {
        if (fatal(kCodes[static_cast<int>(fault)], day + 1, i + 1, file, doc.trainLines[day][i])) return 0;
      }
    }
  }
  return result;
}

}  // namespace orbline
