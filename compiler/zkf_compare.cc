#include "compiler/zkf_compare.h"

#include "compiler/zkf_format.h"
#include "document/day_type_scheme.h"
#include "document/document.h"

namespace orbline {
namespace {

// Compares row by row and field by field, keeping the first difference.
class Comparison {
 public:
  bool Number(const std::string& what, long long inFile, long long inDoc) {
    if (inFile == inDoc) return true;
    return Differ(what + ": " + std::to_string(inFile) + " in the file, " + std::to_string(inDoc) + " in the document");
  }
  bool Texts(const std::string& what, const Text& inFile, const Text& inDoc) { return inFile == inDoc || Differ(what); }
  template <typename Row>
  bool Values(const std::string& row, const Row& inFile, const Row& inDoc) {
    for (size_t k = 0; k < inDoc.size(); ++k)
      if (!Number(row + " value " + std::to_string(k), inFile[k], inDoc[k])) return false;
    return true;
  }

  bool Row(const std::string& row, const Kind& f, const Kind& d) {
    return Number(row + " colour", f.colour, d.colour) && Texts(row + " text 1", f.texts[0], d.texts[0]) &&
           Texts(row + " text 2", f.texts[1], d.texts[1]);
  }
  bool Row(const std::string& row, const Station& f, const Station& d) {
    return Values(row, f.values, d.values) && Texts(row + " text 1", f.label, d.label) &&
           Texts(row + " text 2", f.name, d.name) && Texts(row + " text 3", f.note, d.note);
  }
  bool Row(const std::string& row, const MapItem& f, const MapItem& d) {
    return Values(row, f.values, d.values) && Texts(row + " text", f.text, d.text);
  }
  // A train of the document as the file's width writes it: zeros past its 207 values.
  bool Row(const std::string& row, const ZkfFile::Train& f, const Train& d, size_t width) {
    if (!Number(row + " width", f.values.size(), width)) return false;
    for (size_t k = 0; k < width; ++k)
      if (!Number(row + " value " + std::to_string(k), f.values[k], k < Train::kValueCount ? d.values[k] : 0))
        return false;
    for (int t = 0; t < 3; ++t)
      if (!Texts(row + " text " + std::to_string(t + 1), f.texts[t], d.texts[t])) return false;
    return true;
  }

  // The rows the writer puts out of `table`, named `prefix` and their number from 1.
  template <typename FileRows, typename Rows, typename... Width>
  bool Table(const std::string& prefix, const std::string& count, const FileRows& inFile, const Rows& table,
             Width... width) {
    const size_t rows = RowsWritten(table);
    if (!Number(count, inFile.size(), rows)) return false;
    for (size_t i = 0; i < rows; ++i)
      if (!Row(prefix + std::to_string(i + 1), inFile[i], table[i], width...)) return false;
    return true;
  }

  bool Differ(std::string difference) {
    first = std::move(difference);
    return false;
  }
  std::string first;
};

bool TimetablesMatch(const ZkfFile& f, const Document& d, Comparison& c) {
  const auto maxCalcStation = static_cast<uint16_t>(d.maxCalcStation);
  const auto weekkind = static_cast<uint16_t>(d.settings.weekkind);
  if (!c.Number("maxCalcStation", f.maxCalcStation, maxCalcStation) || !c.Number("weekkind", f.weekkind, weekkind))
    return false;
  size_t section = 0;
  const size_t width = zkf::TrainWidth(maxCalcStation);
  for (int day = 0; day < kDayTypeCount; ++day) {
    if (!DayTypeWritten(weekkind, day)) continue;
    if (section >= f.data.size()) return c.Number("[Data] sections", f.data.size(), section + 1);
    const auto& s = f.data[section++];
    if (!c.Number("day type of a [Data] section", s.dayType, day) ||
        !c.Table("train " + std::to_string(day + 1) + "-", "trains of day type " + std::to_string(day), s.trains,
                 d.trains[day], width))
      return false;
  }
  return c.Number("[Data] sections", f.data.size(), section);
}

}  // namespace

bool MatchesDocument(const ZkfFile& f, const Document& d, std::string* difference) {
  Comparison c;
  bool same = c.Number("version", f.version, zkf::kVersion);
  for (int i = 0; same && i < kRouteInfoCount; ++i)
    same = c.Texts("route info text " + std::to_string(i + 1), f.routeInfo.texts[i], d.routeInfo.texts[i]);
  same = same && c.Table("kind ", "kind rows", f.kinds, d.kinds) &&
         c.Table("station ", "station rows", f.stations, d.stations) &&
         c.Table("map item ", "map items", f.mapItems, d.mapItems) && TimetablesMatch(f, d, c) &&
         c.Number("icon", f.icon, 0);
  if (!same) *difference = c.first;
  return same;
}

}  // namespace orbline
