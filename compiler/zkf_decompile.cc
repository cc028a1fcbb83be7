#include "compiler/zkf_decompile.h"

#include <memory>

#include "compiler/route_check.h"
#include "compiler/zkf_writer.h"
#include "document/day_type_scheme.h"
#include "document/document.h"
#include "document/source_file_names.h"
#include "platform/finding_sinks.h"
#include "platform/memory_line_reader.h"

namespace orbline {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr uint32_t kInverseOf5 = 19661;  // 5 × 19661 = 3 × 32768 + 1
constexpr int kHalfModulus = 32768;

// A text written as one field: it must hold neither the delimiter nor a line feed.
struct TextCheck {
  char delimiter;
  std::string problem;

  void Check(const std::string& text, const std::string& where) {
    if (!problem.empty()) return;
    if (text.find('\n') != std::string::npos)
      problem = where + " holds a line break";
    else if (text.find(delimiter) != std::string::npos)
      problem = where + " holds the delimiter";
  }
};

std::vector<std::string> SplitRemarks(const std::string& remarks) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t cut = remarks.find(kLineEnd, start);
    lines.push_back(remarks.substr(start, cut == std::string::npos ? std::string::npos : cut - start));
    if (cut == std::string::npos) return lines;
    start = cut + 2;
  }
}

// Every text the source files will hold as a field.
void CheckTexts(const ZkfFile& f, TextCheck& check) {
  const auto& info = f.routeInfo.texts;
  for (int i = 0; i < RouteInfo::kRemarks; ++i) check.Check(info[i], "route info line " + std::to_string(i + 1));
  for (const std::string& line : SplitRemarks(info[RouteInfo::kRemarks])) check.Check(line, "a remarks line");
  for (size_t i = 0; i < f.kinds.size(); ++i)
    for (const std::string& t : f.kinds[i].texts) check.Check(t, "kind " + std::to_string(i + 1));
  for (size_t i = 0; i < f.stations.size(); ++i)
    for (const std::string* t : {&f.stations[i].label, &f.stations[i].name, &f.stations[i].note})
      check.Check(*t, "station " + std::to_string(i + 1));
  for (size_t i = 0; i < f.mapItems.size(); ++i) check.Check(f.mapItems[i].text, "map item " + std::to_string(i + 1));
  for (const auto& section : f.data)
    for (size_t i = 0; i < section.trains.size(); ++i)
      for (const std::string& t : section.trains[i].texts)
        check.Check(t, "train " + std::to_string(section.dayType + 1) + "-" + std::to_string(i + 1));
}

// The separation asked for, or the first that no text holds; -1 with `*err` saying why none fits.
int ChooseSeparation(const ZkfFile& f, int kugiri, std::string* err) {
  std::string why;
  for (int k = FormatSettings::kTab; k <= FormatSettings::kSpace; ++k) {
    if (kugiri >= 0 && k != kugiri) continue;
    std::string d;
    DeriveDelimiter(k, d);
    TextCheck check{d[0], {}};
    CheckTexts(f, check);
    if (check.problem.empty()) return k;
    why += (why.empty() ? "" : "; ") + std::string(SeparatorName(k)) + ": " + check.problem;
  }
  *err = "no separation fits every text (" + why + ")";
  return -1;
}

class LineWriter {
 public:
  explicit LineWriter(char delimiter) : delimiter_(delimiter) {}
  LineWriter& Field(const std::string& text) {
    if (!first_) line_ += delimiter_;
    line_ += text;
    first_ = false;
    return *this;
  }
  LineWriter& Field(long long number) { return Field(std::to_string(number)); }
  template <typename Values>
  LineWriter& Fields(const Values& values) {
    for (auto v : values) Field(v);
    return *this;
  }
  void End(std::string& out) {
    out += line_;
    out += kLineEnd;
    line_.clear();
    first_ = true;
  }

 private:
  char delimiter_;
  std::string line_;
  bool first_ = true;
};

// Hours and minutes that the reader turns into `time` tenths: (h × 60 + m) × 10 mod 65536.
bool EncodeTime(uint16_t time, long long* hours, long long* minutes) {
  if (time % 10 == 0) {
    *hours = time / 600;
    *minutes = time / 10 % 60;
    return true;
  }
  if (time % 2 != 0) return false;  // ten times anything is even, also after the wrap
  *hours = 0;
  *minutes = static_cast<long long>(uint32_t(time / 2) * kInverseOf5 % kHalfModulus);
  return true;
}

// Wait minutes, B and T that the reader (with 30sec on) turns into `stop`:
// (B × 2 + T) × 512 + wait, where wait is minutes × 10, or 5 for exactly one minute.
bool EncodeStop(uint16_t stop, long long* wait, long long* b, long long* t) {
  const int tenths = stop & 511;
  *b = stop >> 10;
  *t = (stop >> 9) & 1;
  if (tenths == 5) {
    *wait = 1;
  } else if (tenths == 10) {
    // One minute would become 30 seconds: 32769 minutes give the same word.
    *wait = 1 + kHalfModulus;
  } else if (tenths % 10 == 0) {
    *wait = tenths / 10;
  } else if (stop % 2 == 0) {
    // Any even word is ten times some wait, modulo 65536.
    *b = *t = 0;
    *wait = uint32_t(stop / 2) * kInverseOf5 % kHalfModulus;
    if (*wait == 1) *wait += kHalfModulus;
  } else {
    return false;
  }
  return true;
}

// Writes each source file of a decoded file; each function fails with the reason in `err_`.
class SourceWriter {
 public:
  SourceWriter(const ZkfFile& f, char delimiter) : f_(f), w_(delimiter) {}

  bool Info(std::string& out);
  bool Kinds(std::string& out);
  bool Stations(std::string& out);
  void Map(std::string& out);
  bool Timetable(const ZkfFile::DataSection& section, std::string& out);

  const std::string& err() const { return err_; }

 private:
  bool Fail(std::string why) {
    err_ = std::move(why);
    return false;
  }
  bool Train(const ZkfFile::Train& t, const std::string& where, std::string& out);

  const ZkfFile& f_;
  LineWriter w_;
  std::string err_;
};

bool SourceWriter::Info(std::string& out) {
  const auto& info = f_.routeInfo.texts;
  for (int i = 0; i < RouteInfo::kRemarks; ++i) w_.Field(info[i]).End(out);
  const std::vector<std::string> remarks = SplitRemarks(info[RouteInfo::kRemarks]);
  if (remarks.size() > 1 + RouteInfo::kMaxRemarksLines)
    return Fail("the remarks have " + std::to_string(remarks.size()) + " lines; 21 are read");
  for (const std::string& r : remarks) w_.Field(r).End(out);
  return true;
}

bool SourceWriter::Kinds(std::string& out) {
  for (const Kind& k : f_.kinds) {
    if (k.colour >> 24) return Fail("a kind colour has a top byte");
    if (k.EndsTable() && k.colour == 0) break;
    w_.Field(RedOf(k.colour)).Field(GreenOf(k.colour)).Field(BlueOf(k.colour));
    w_.Field(k.texts[0]).Field(k.texts[1]).End(out);
  }
  return true;
}

bool SourceWriter::Stations(std::string& out) {
  for (size_t i = 0; i < f_.stations.size(); ++i) {
    const Station& s = f_.stations[i];
    if (s.EndsTable()) {
      // The end of the table: a reader never stores a row without a name.
      const std::string row = "station row " + std::to_string(i + 1);
      for (uint16_t v : s.values)
        if (v != 0) return Fail(row + " has values but no name");
      if (!s.label.empty() || !s.note.empty()) return Fail(row + " has texts but no name");
      break;
    }
    w_.Fields(s.values).Field(s.label).Field(s.name).Field(s.note).End(out);
  }
  return true;
}

void SourceWriter::Map(std::string& out) {
  for (const MapItem& m : f_.mapItems) {
    bool empty = m.text.empty();
    for (uint16_t v : m.values) empty = empty && v == 0;
    if (empty) break;  // the end, as the reader leaves it after the last line
    w_.Fields(m.values).Field(m.text).End(out);
  }
}

bool SourceWriter::Train(const ZkfFile::Train& t, const std::string& where, std::string& out) {
  for (int k = 0; k < orbline::Train::kHeaderValueCount; ++k) w_.Field(t.values[k]);
  for (int s = 1; s <= f_.maxCalcStation; ++s) {
    long long hours, minutes, wait, b, tf;
    if (!EncodeTime(t.values[orbline::Train::TimeIndex(s)], &hours, &minutes))
      return Fail(where + ": the time at calc station " + std::to_string(s) + " is odd");
    if (!EncodeStop(t.values[orbline::Train::StopIndex(s)], &wait, &b, &tf))
      return Fail(where + ": the stop word at calc station " + std::to_string(s) + " cannot be read back");
    w_.Field(hours).Field(minutes).Field(wait).Field(b).Field(tf);
  }
  for (const std::string& text : t.texts) w_.Field(text);
  w_.End(out);
  return true;
}

bool SourceWriter::Timetable(const ZkfFile::DataSection& section, std::string& out) {
  w_.Field("kind").Field("car").Field("v2").Field("v3").Field("v4").Field("A").Field("B");
  for (int s = 1; s <= f_.maxCalcStation; ++s) w_.Field(s).Field("h").Field("m").Field("B").Field("T");
  w_.End(out);
  for (size_t i = 0; i < section.trains.size(); ++i) {
    const ZkfFile::Train& t = section.trains[i];
    const std::string where = "train " + std::to_string(section.dayType + 1) + "-" + std::to_string(i + 1);
    if (t.EndsTable()) {
      for (uint16_t v : t.values)
        if (v != 0) return Fail(where + " has values but kind 0");
      for (const std::string& text : t.texts)
        if (!text.empty()) return Fail(where + " has texts but kind 0");
      break;
    }
    if (!Train(t, where, out)) return false;
  }
  return true;
}

}  // namespace

bool Decompile(const ZkfFile& f, int kugiri, DecompiledRoute* route, std::string* err) {
  const int chosen = ChooseSeparation(f, kugiri, err);
  if (chosen < 0) return false;
  if (TimetableFileFor(f.weekkind, kWeekday) == 0) {
    *err = "the day-type scheme " + std::to_string(f.weekkind) + " is not one of 0..3";
    return false;
  }
  if (f.maxCalcStation > kCalcStationCapacity) {
    *err = "the highest calc station " + std::to_string(f.maxCalcStation) + " is above 100";
    return false;
  }
  DecompiledRoute r;
  r.settings.kugiri = chosen;
  r.settings.weekkind = f.weekkind;
  r.settings.top = 0;
  r.settings.sec30 = 1;
  std::string delimiter;
  DeriveDelimiter(chosen, delimiter);
  SourceWriter writer(f, delimiter[0]);
  std::string info, kinds, eki, map;
  bool ok = writer.Info(info) && writer.Kinds(kinds) && writer.Stations(eki);
  if (ok) writer.Map(map);
  r.files = {{std::string(kInfoFile), info},
             {std::string(kKindFile), kinds},
             {std::string(kEkiFile), eki},
             {std::string(kMapFile), map}};
  for (size_t i = 0; ok && i < f.data.size(); ++i) {
    std::string data;
    ok = writer.Timetable(f.data[i], data);
    r.files.emplace_back(TimetableFileName(TimetableFileFor(f.weekkind, f.data[i].dayType)), data);
  }
  if (!ok) {
    *err = writer.err();
    return false;
  }
  *route = std::move(r);
  return true;
}

bool CompileInMemory(const DecompiledRoute& route, std::string* bytes, std::string* err) {
  MemoryLineReader files(64 * 1024);
  for (const auto& [name, contents] : route.files) files.Set(name, contents);
  FindingList findings;
  auto doc = std::make_unique<Document>();
  doc->settings = route.settings;
  doc->DeriveDelimiter();
  const bool ok = ReadAndCheck(*doc, files, findings, FaultMode::kFirstFault);
  for (const Finding& f : findings.findings)
    if (f.IsError()) {
      *err = "error " + std::to_string(f.code);
      break;
    }
  if (!ok) return false;
  StringSink sink;
  WriteZkf(*doc, sink);
  *bytes = std::move(sink.bytes);
  return true;
}

}  // namespace orbline
