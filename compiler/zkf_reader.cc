#include "compiler/zkf_reader.h"

#include "compiler/zkf_format.h"
#include "document/day_type_scheme.h"

namespace orbline {
namespace {

class Decoder {
 public:
  explicit Decoder(std::string_view bytes) : bytes_(bytes) {}

  size_t offset() const { return pos_; }
  bool failed() const { return failed_; }
  const std::string& error() const { return error_; }
  size_t left() const { return bytes_.size() - pos_; }

  uint16_t Word() {
    if (!Need(2, "a WORD")) return 0;
    uint16_t v = static_cast<uint16_t>(Byte(0) | Byte(1) << 8);
    pos_ += 2;
    return v;
  }

  uint32_t Dword() {
    if (!Need(4, "a DWORD")) return 0;
    uint32_t v = Byte(0) | Byte(1) << 8 | Byte(2) << 16 | static_cast<uint32_t>(Byte(3)) << 24;
    pos_ += 4;
    return v;
  }

  std::string String() {
    if (!Need(1, "a string length")) return {};
    uint64_t length = Byte(0);
    ++pos_;
    if (length == 0xFF) {
      length = Word();
      if (length == 0xFFFF) length = Dword();
    }
    if (failed_ || !Need(length, "the bytes of a string")) return {};
    std::string s(bytes_.substr(pos_, length));
    pos_ += length;
    return s;
  }

  // Reads a tag and checks it is `name`; returns the tag's offset.
  size_t Tag(const char* name) {
    size_t at = pos_;
    std::string tag = String();
    if (!failed_ && tag != name) Fail(at, std::string("expected the tag ") + name);
    return at;
  }

  void Fail(size_t at, const std::string& what) {
    if (failed_) return;
    failed_ = true;
    error_ = "byte " + std::to_string(at) + ": " + what;
  }

 private:
  uint32_t Byte(size_t i) const { return static_cast<unsigned char>(bytes_[pos_ + i]); }

  bool Need(uint64_t n, const char* what) {
    if (failed_) return false;
    if (n <= left()) return true;
    Fail(pos_, "the file ends here, in " + std::string(what) + " of " + std::to_string(n) + " bytes (" +
                   std::to_string(left()) + " left)");
    return false;
  }

  std::string_view bytes_;
  size_t pos_ = 0;
  bool failed_ = false;
  std::string error_;
};

void Get(Decoder& in, Kind& kind) {
  kind.colour = in.Dword();
  for (Text& t : kind.texts) t = in.String();
}

void Get(Decoder& in, Station& station) {
  for (uint16_t& v : station.values) v = in.Word();
  station.label = in.String();
  station.name = in.String();
  station.note = in.String();
}

void Get(Decoder& in, MapItem& item) {
  for (uint16_t& v : item.values) v = in.Word();
  item.text = in.String();
}

void Get(Decoder& in, ZkfFile::Train& train, int width) {
  // Refuse a width the file cannot hold before making room for it.
  if (in.left() < static_cast<size_t>(width) * 2) {
    in.Fail(in.offset(), "the file ends here, in a train of " + std::to_string(width) + " words (" +
                             std::to_string(in.left()) + " bytes left)");
    return;
  }
  train.values.resize(width);
  for (uint16_t& v : train.values) v = in.Word();
  for (Text& t : train.texts) t = in.String();
}

// Rows up to and including the one that ends the table, or `capacity` rows.
template <typename Row, typename... Width>
size_t GetTable(Decoder& in, const char* tag, size_t capacity, std::vector<Row>& rows, Width... width) {
  const size_t at = in.Tag(tag);
  while (!in.failed() && rows.size() < capacity) {
    Get(in, rows.emplace_back(), width...);
    if (in.failed() || rows.back().EndsTable()) break;
  }
  return at;
}

}  // namespace

bool ReadZkf(std::string_view bytes, ZkfFile* file, std::string* err) {
  Decoder in(bytes);
  ZkfFile f;
  in.Tag(zkf::kTagZelkor);
  size_t versionAt = in.offset();
  f.version = in.Word();
  if (!in.failed() && f.version != zkf::kVersion)
    in.Fail(versionAt, "format version " + std::to_string(f.version) + ", expected 200 (2.00)");

  f.infoOffset = in.Tag(zkf::kTagInfo);
  for (Text& t : f.routeInfo.texts) t = in.String();
  f.kindOffset = GetTable(in, zkf::kTagKind, kKindCapacity, f.kinds);
  f.ekiOffset = GetTable(in, zkf::kTagEki, kStationCapacity, f.stations);
  f.mapOffset = GetTable(in, zkf::kTagMap, kMapItemCapacity, f.mapItems);

  f.maxCalcStation = in.Word();
  f.weekkind = in.Word();
  for (int day = 0; day < kDayTypeCount && !in.failed(); ++day) {
    if (!DayTypeWritten(f.weekkind, day)) continue;
    ZkfFile::DataSection& section = f.data.emplace_back();
    section.dayType = day;
    section.offset = GetTable(in, zkf::kTagData, kTrainCapacity, section.trains, zkf::TrainWidth(f.maxCalcStation));
  }

  f.iconOffset = in.Tag(zkf::kTagIcon);
  f.icon = in.Word();
  if (!in.failed() && in.left() > 0)
    in.Fail(in.offset(), std::to_string(in.left()) + " bytes after the end of the file");
  if (in.failed()) {
    *err = in.error();
    return false;
  }
  *file = std::move(f);
  return true;
}

}  // namespace orbline
