#include "compiler/check_data.h"

#include "doc/document.h"
#include "doc/error_code.h"
#include "doc/train_check.h"

namespace orbline {
namespace {

constexpr int kMaxLinkStation = kCalcStationCapacity;  // link To and To2 name calc stations 1..100, or 0

bool IsStationReference(uint16_t kind) { return kind == 11 || kind == 21 || kind == 31; }

}  // namespace

int CheckData(Document& doc) {
  // Stations, up to the first without a name.
  for (int i = 0; i < kStationCapacity; ++i) {
    if (doc.stationTexts[i][station::kName].empty()) break;
    const auto& v = doc.stationValues[i];
    if (v[station::kCalcStationNo] > kMaxStationNumber || v[station::kLink1To] > kMaxLinkStation ||
        v[station::kLink2To] > kMaxLinkStation || v[station::kLink1To2] > kMaxLinkStation ||
        v[station::kLink2To2] > kMaxLinkStation) {
      doc.ReportError(kErrStationCalcNo, i + 1, 0);
      return 0;
    }
    if (v[station::kRatio] > kMaxRatio) doc.ReportError(kErrStationRatio, 0, 0);
    if (v[station::kLink1To] != 0 && v[station::kLink1To2] == 0) doc.ReportError(kErrStationTo2Missing, 0, 0);
    if (v[station::kLink2To] != 0 && v[station::kLink2To2] == 0) doc.ReportError(kErrStationTo2Missing, 0, 0);
  }

  // Map items, up to the first of kind 0: station links and bars name calc stations 1..100.
  for (int i = 0; i < kMapItemCapacity; ++i) {
    const auto& v = doc.mapValues[i];
    if (v[map::kKind] == 0) break;
    if (!IsStationReference(v[map::kKind])) continue;
    if (v[1] < 1 || v[1] > kCalcStationCapacity || v[2] < 1 || v[2] > kCalcStationCapacity) {
      doc.ReportError(kErrMapCalcStation, i + 1, 0);
      return 0;
    }
  }

  // Trains of all three day types, whatever the scheme, each up to its first of kind 0.
  for (int day = 0; day < kDayTypeCount; ++day) {
    for (int i = 0; i < kTrainCapacity; ++i) {
      const auto& v = doc.trainValues[day][i];
      if (v[train::kKind] == 0) break;
      static constexpr int kCodes[] = {0, kErrTrainKind, kErrTrainCarType, kErrTrainStation};
      if (const TrainFault fault = CheckTrain(v); fault != TrainFault::kNone) {
        doc.ReportError(kCodes[static_cast<int>(fault)], day + 1, i + 1);
        return 0;
      }
    }
  }
  return 1;
}

}  // namespace orbline
