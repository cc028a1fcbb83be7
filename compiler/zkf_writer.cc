#include "compiler/zkf_writer.h"

#include "compiler/zkf_format.h"
#include "compiler/zkf_output.h"
#include "document/day_type_scheme.h"
#include "document/document.h"

namespace orbline {
namespace {

void Put(ZkfOutput& out, const Kind& kind) {
  out.Dword(kind.colour);
  for (const Text& t : kind.texts) out.String(t);
}

void Put(ZkfOutput& out, const Station& station) {
  for (uint16_t v : station.values) out.Word(v);
  out.String(station.label);
  out.String(station.name);
  out.String(station.note);
}

void Put(ZkfOutput& out, const MapItem& item) {
  for (uint16_t v : item.values) out.Word(v);
  out.String(item.text);
}

// A train as `width` words: beyond the 207 values a train holds (only a hand-set maxCalcStation
// gets there) it goes on with zeros, so the file stays readable.
void Put(ZkfOutput& out, const Train& train, int width) {
  for (int k = 0; k < width; ++k) out.Word(k < Train::kValueCount ? train.values[k] : 0);
  for (const Text& t : train.texts) out.String(t);
}

// A table's rows up to and including the one that ends it, which is written too; a full table
// has none.
template <typename Table, typename... Width>
void PutTable(ZkfOutput& out, const char* tag, const Table& table, Width... width) {
  out.Tag(tag);
  for (int i = 0, n = RowsWritten(table); i < n; ++i) Put(out, table[i], width...);
}

}  // namespace

bool WriteZkf(const Document& doc, ByteSink& sink) {
  ZkfOutput out(sink);
  out.Tag(zkf::kTagZelkor);
  out.Word(zkf::kVersion);

  out.Tag(zkf::kTagInfo);
  for (const Text& t : doc.routeInfo.texts) out.String(t);
  PutTable(out, zkf::kTagKind, doc.kinds);
  PutTable(out, zkf::kTagEki, doc.stations);
  PutTable(out, zkf::kTagMap, doc.mapItems);

  const auto maxCalcStation = static_cast<uint16_t>(doc.maxCalcStation);
  const auto weekkind = static_cast<uint16_t>(doc.settings.weekkind);
  out.Word(maxCalcStation);
  out.Word(weekkind);
  // Every train of every section is as wide as the maxCalcStation just written says.
  for (int day = 0; day < kDayTypeCount; ++day)
    if (DayTypeWritten(weekkind, day)) PutTable(out, zkf::kTagData, doc.trains[day], zkf::TrainWidth(maxCalcStation));

  out.Tag(zkf::kTagIcon);
  out.Word(0);
  return out.Flush();
}

}  // namespace orbline
