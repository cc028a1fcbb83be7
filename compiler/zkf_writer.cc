#include "compiler/zkf_writer.h"

#include "compiler/zkf_format.h"
#include "document/day_type_scheme.h"
#include "compiler/zkf_output.h"
#include "document/document.h"

namespace orbline {

bool WriteZkf(const Document& doc, ByteSink& sink) {
  ZkfOutput out(sink);
  out.Tag(zkf::kTagZelkor);
  out.Word(zkf::kVersion);

  out.Tag(zkf::kTagInfo);
  for (const Text& t : doc.routeInfo) out.String(t);

  // Each list ends after its terminating row, which is written too; a full table has none.
  out.Tag(zkf::kTagKind);
  for (int i = 0; i < kKindCapacity; ++i) {
    const auto& texts = doc.kindTexts[i];
    out.Dword(doc.kindColour[i]);
    out.String(texts[kind::kText1]);
    out.String(texts[kind::kText2]);
    if (texts[kind::kText1].empty() && texts[kind::kText2].empty()) break;
  }

  out.Tag(zkf::kTagEki);
  for (int i = 0; i < kStationCapacity; ++i) {
    for (uint16_t v : doc.stationValues[i]) out.Word(v);
    for (const Text& t : doc.stationTexts[i]) out.String(t);
    if (doc.stationTexts[i][station::kName].empty()) break;
  }

  out.Tag(zkf::kTagMap);
  for (int i = 0; i < kMapItemCapacity; ++i) {
    for (uint16_t v : doc.mapValues[i]) out.Word(v);
    out.String(doc.mapTexts[i]);
    if (doc.mapValues[i][map::kKind] == 0) break;
  }

  const auto maxCalcStation = static_cast<uint16_t>(doc.maxCalcStation);
  const auto weekkind = static_cast<uint16_t>(doc.settings.weekkind);
  out.Word(maxCalcStation);
  out.Word(weekkind);

  // Every train of every section is as wide as the maxCalcStation just written says. A width
  // beyond the 207 values a train holds (only a hand-set maxCalcStation gets there) goes out as 0,
  // so the file stays readable.
  const int width = zkf::TrainWidth(maxCalcStation);
  for (int day = 0; day < kDayTypeCount; ++day) {
    if (!DayTypeWritten(weekkind, day)) continue;
    out.Tag(zkf::kTagData);
    for (int i = 0; i < kTrainCapacity; ++i) {
      const auto& values = doc.trainValues[day][i];
      for (int k = 0; k < width; ++k) out.Word(k < kTrainValueCount ? values[k] : 0);
      for (const Text& t : doc.trainTexts[day][i]) out.String(t);
      if (values[train::kKind] == 0) break;
    }
  }

  out.Tag(zkf::kTagIcon);
  out.Word(0);
  return out.Flush();
}

}  // namespace orbline
