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
  const ZkfError& error() const { return error_; }
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

  void Fail(size_t at, std::string what) {
    if (failed_) return;
    failed_ = true;
    error_ = {at, std::move(what)};
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
  ZkfError error_;
};

}  // namespace

std::optional<ZkfFile> ReadZkf(std::string_view bytes, ZkfError* error) {
  Decoder in(bytes);
  ZkfFile f;
  in.Tag(zkf::kTagZelkor);
  size_t versionAt = in.offset();
  f.version = in.Word();
  if (!in.failed() && f.version != zkf::kVersion)
    in.Fail(versionAt, "format version " + std::to_string(f.version) + ", expected 200 (2.00)");

  f.infoOffset = in.Tag(zkf::kTagInfo);
  for (std::string& t : f.routeInfo) t = in.String();

  f.kindOffset = in.Tag(zkf::kTagKind);
  while (!in.failed() && f.kinds.size() < static_cast<size_t>(kKindCapacity)) {
    ZkfFile::Kind& k = f.kinds.emplace_back();
    k.colour = in.Dword();
    for (std::string& t : k.texts) t = in.String();
    if (k.texts[kind::kText1].empty() && k.texts[kind::kText2].empty()) break;
  }

  f.ekiOffset = in.Tag(zkf::kTagEki);
  while (!in.failed() && f.stations.size() < static_cast<size_t>(kStationCapacity)) {
    ZkfFile::Station& s = f.stations.emplace_back();
    for (uint16_t& v : s.values) v = in.Word();
    for (std::string& t : s.texts) t = in.String();
    if (s.texts[station::kName].empty()) break;
  }

  f.mapOffset = in.Tag(zkf::kTagMap);
  while (!in.failed() && f.mapItems.size() < static_cast<size_t>(kMapItemCapacity)) {
    ZkfFile::MapItem& m = f.mapItems.emplace_back();
    for (uint16_t& v : m.values) v = in.Word();
    m.text = in.String();
    if (m.values[map::kKind] == 0) break;
  }

  f.maxCalcStation = in.Word();
  f.weekkind = in.Word();
  const int width = zkf::TrainWidth(f.maxCalcStation);
  for (int day = 0; day < kDayTypeCount && !in.failed(); ++day) {
    if (!DayTypeWritten(f.weekkind, day)) continue;
    ZkfFile::DataSection& section = f.data.emplace_back();
    section.dayType = day;
    section.offset = in.Tag(zkf::kTagData);
    while (!in.failed() && section.trains.size() < static_cast<size_t>(kTrainCapacity)) {
      ZkfFile::Train& t = section.trains.emplace_back();
      // Refuse a width the file cannot hold before making room for it.
      if (in.left() < static_cast<size_t>(width) * 2) {
        in.Fail(in.offset(), "the file ends here, in a train of " + std::to_string(width) + " words (" +
                                 std::to_string(in.left()) + " bytes left)");
        break;
      }
      t.values.resize(width);
      for (uint16_t& v : t.values) v = in.Word();
      for (std::string& s : t.texts) s = in.String();
      if (t.values[train::kKind] == 0) break;
    }
  }

  f.iconOffset = in.Tag(zkf::kTagIcon);
  f.icon = in.Word();
  if (!in.failed() && in.left() > 0)
    in.Fail(in.offset(), std::to_string(in.left()) + " bytes after the end of the file");
  if (in.failed()) {
    if (error) *error = in.error();
    return std::nullopt;
  }
  return f;
}

}  // namespace orbline
