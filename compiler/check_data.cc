#include "compiler/check_data.h"

#include "document/document.h"
#include "document/error_code.h"
#include "document/source_file_names.h"

namespace orbline {
namespace {

constexpr int kMaxLinkStation = kCalcStationCapacity;  // link To and To2 name calc stations 1..100, or 0

bool InCalcStations(int n) { return n >= 1 && n <= kCalcStationCapacity; }

}  // namespace

bool CheckData(const Document& doc, FindingSink& findings, bool keepGoing) {
  bool result = true;
  // Reports a fatal finding; true when checking stops there.
  auto fatal = [&](int code, int a, int b, std::string_view file, int line) {
    findings.Report(MakeFinding(code, a, b, file, line));
    result = false;
    return !keepGoing;
  };

  // Stations, up to the first without a name.
  for (int i = 0, n = RowsBeforeEnd(doc.stations); i < n; ++i) {
    const Station& s = doc.stations[i];
    const int line = SourceLine(s, i);
    bool linksInRange = true;
    for (int g = 1; g <= Station::kLinkGroups; ++g)
      linksInRange = linksInRange && s.link(g).to <= kMaxLinkStation && s.link(g).to2 <= kMaxLinkStation;
    if ((s.calcStationNo() > kMaxStationNumber || !linksInRange) && fatal(kErrStationCalcNo, line, 0, kEkiFile, line))
      return false;
    if (s.ratio() > kMaxRatio) findings.Report(MakeFinding(kErrStationRatio, 0, 0, kEkiFile, line));
    for (int g = 1; g <= Station::kLinkGroups; ++g)
      if (s.link(g).to != 0 && s.link(g).to2 == 0)
        findings.Report(MakeFinding(kErrStationTo2Missing, 0, 0, kEkiFile, line));
  }

  // Map items, up to the first of kind 0: station links and bars name calc stations 1..100.
  for (int i = 0, n = RowsBeforeEnd(doc.mapItems); i < n; ++i) {
    const MapItem& item = doc.mapItems[i];
    if (!item.NamesCalcStations()) continue;
    const MapItem::CalcStations named = item.calcStations();
    if (InCalcStations(named.from) && InCalcStations(named.to)) continue;
    const int line = SourceLine(item, i);
    if (fatal(kErrMapCalcStation, line, 0, kMapFile, line)) return false;
  }

  // Trains of all three day types, whatever the scheme, each up to its first of kind 0.
  for (int day = 0; day < kDayTypeCount; ++day) {
    const std::string file = doc.dayTypeFile[day] != 0 ? TimetableFileName(doc.dayTypeFile[day]) : std::string();
    for (int i = 0, n = RowsBeforeEnd(doc.trains[day]); i < n; ++i) {
      const Train& train = doc.trains[day][i];
      const Train::Fault fault = train.CheckValues();
      if (fault != Train::Fault::kNone &&
          fatal(TrainFaultCode(fault, TrainCheck::kCrossCheck), day + 1, i + 1, file, train.line))
        return false;
    }
  }
  return result;
}

}  // namespace orbline
