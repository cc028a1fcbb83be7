#include "compiler/zkf_decompile.h"

#include <memory>

#include "compiler/line_check.h"
#include "compiler/zkf_writer.h"
#include "document/day_type_scheme.h"
#include "document/document.h"
#include "document/source_files.h"
#include "platform/memory_line_reader.h"
#include "platform/finding_sinks.h"
#include "platform/wait_cursor.h"

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
    if (text.find('\n') != std::string::npos) problem = where + " holds a line break";
    else if (text.find(delimiter) != std::string::npos) problem = where + " holds the delimiter";
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
  for (int i = 0; i < route::kRemarks; ++i) check.Check(f.routeInfo[i], "route info line " + std::to_string(i + 1));
  for (const std::string& line : SplitRemarks(f.routeInfo[route::kRemarks])) check.Check(line, "a remarks line");
  for (size_t i = 0; i < f.kinds.size(); ++i)
    for (const std::string& t : f.kinds[i].texts) check.Check(t, "kind " + std::to_string(i + 1));
  for (size_t i = 0; i < f.stations.size(); ++i)
    for (const std::string& t : f.stations[i].texts) check.Check(t, "station " + std::to_string(i + 1));
  for (size_t i = 0; i < f.mapItems.size(); ++i) check.Check(f.mapItems[i].text, "map item " + std::to_string(i + 1));
  for (const auto& section : f.data)
    for (size_t i = 0; i < section.trains.size(); ++i)
      for (const std::string& t : section.trains[i].texts)
        check.Check(t, "train " + std::to_string(section.dayType + 1) + "-" + std::to_string(i + 1));
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

}  // namespace

std::optional<DecompiledLine> Decompile(const ZkfFile& f, int kugiri, std::string* problem) {
  // The separation: the one asked for, or the first that no text holds.
  auto delimiterOf = [](int k) {
    std::string d;
    DeriveDelimiter(k, d);
    return d[0];
  };
  std::string why;
  int chosen = -1;
  for (int k = FormatSettings::kTab; k <= FormatSettings::kSpace && chosen < 0; ++k) {
    if (kugiri >= 0 && k != kugiri) continue;
    TextCheck check{delimiterOf(k), {}};
    CheckTexts(f, check);
    if (check.problem.empty()) {
      chosen = k;
    } else {
      why += (why.empty() ? "" : "; ") + std::string(SeparatorName(k)) + ": " + check.problem;
    }
  }
  if (chosen < 0) {
    *problem = "no separation fits every text (" + why + ")";
    return std::nullopt;
  }
  const char d = delimiterOf(chosen);

  DecompiledLine line;
  line.settings.kugiri = chosen;
  line.settings.weekkind = f.weekkind;
  line.settings.top = 0;
  line.settings.sec30 = 1;
  if (TimetableFileFor(f.weekkind, kWeekday) == 0) {
    *problem = "the day-type scheme " + std::to_string(f.weekkind) + " is not one of 0..3";
    return std::nullopt;
  }
  if (f.maxCalcStation > kCalcStationCapacity) {
    *problem = "the highest calc station " + std::to_string(f.maxCalcStation) + " is above 100";
    return std::nullopt;
  }
  LineWriter w(d);

  std::string info;
  for (int i = 0; i < route::kRemarks; ++i) w.Field(f.routeInfo[i]).End(info);
  const std::vector<std::string> remarks = SplitRemarks(f.routeInfo[route::kRemarks]);
  if (remarks.size() > 1 + route::kMaxRemarksLines) {
    *problem = "the remarks have " + std::to_string(remarks.size()) + " lines; 21 are read";
    return std::nullopt;
  }
  for (const std::string& r : remarks) w.Field(r).End(info);
  line.files.emplace_back(std::string(kInfoFile), info);

  std::string kinds;
  for (const auto& k : f.kinds) {
    if (k.colour >> 24) {
      *problem = "a kind colour has a top byte";
      return std::nullopt;
    }
    const bool terminator = k.texts[0].empty() && k.texts[1].empty();
    if (terminator && k.colour == 0) break;
    w.Field(k.colour & 0xFF).Field((k.colour >> 8) & 0xFF).Field((k.colour >> 16) & 0xFF);
    w.Field(k.texts[0]).Field(k.texts[1]).End(kinds);
  }
  line.files.emplace_back(std::string(kKindFile), kinds);

  std::string eki;
  for (size_t i = 0; i < f.stations.size(); ++i) {
    const auto& s = f.stations[i];
    if (s.texts[station::kName].empty()) {
      // The end of the table: a reader never stores a row without a name.
      for (uint16_t v : s.values)
        if (v != 0) {
          *problem = "station row " + std::to_string(i + 1) + " has values but no name";
          return std::nullopt;
        }
      if (!s.texts[station::kLabel].empty() || !s.texts[station::kNote].empty()) {
        *problem = "station row " + std::to_string(i + 1) + " has texts but no name";
        return std::nullopt;
      }
      break;
    }
    for (uint16_t v : s.values) w.Field(v);
    for (const std::string& t : s.texts) w.Field(t);
    w.End(eki);
  }
  line.files.emplace_back(std::string(kEkiFile), eki);

  std::string mapText;
  for (const auto& m : f.mapItems) {
    bool empty = m.text.empty();
    for (uint16_t v : m.values) empty = empty && v == 0;
    if (empty) break;  // the end, as the reader leaves it after the last line
    for (uint16_t v : m.values) w.Field(v);
    w.Field(m.text).End(mapText);
  }
  line.files.emplace_back(std::string(kMapFile), mapText);

  for (const auto& section : f.data) {
    std::string data;
    w.Field("kind").Field("car").Field("v2").Field("v3").Field("v4").Field("A").Field("B");
    for (int s = 1; s <= f.maxCalcStation; ++s) w.Field(s).Field("h").Field("m").Field("B").Field("T");
    w.End(data);
    for (size_t i = 0; i < section.trains.size(); ++i) {
      const auto& t = section.trains[i];
      const std::string where = "train " + std::to_string(section.dayType + 1) + "-" + std::to_string(i + 1);
      if (t.values[train::kKind] == 0) {
        for (uint16_t v : t.values)
          if (v != 0) {
            *problem = where + " has values but kind 0";
            return std::nullopt;
          }
        for (const std::string& text : t.texts)
          if (!text.empty()) {
            *problem = where + " has texts but kind 0";
            return std::nullopt;
          }
        break;
      }
      for (int k = 0; k < kTrainHeaderValueCount; ++k) w.Field(t.values[k]);
      for (int s = 1; s <= f.maxCalcStation; ++s) {
        long long hours, minutes, wait, b, tf;
        if (!EncodeTime(t.values[train::TimeIndex(s)], &hours, &minutes)) {
          *problem = where + ": the time at calc station " + std::to_string(s) + " is odd";
          return std::nullopt;
        }
        if (!EncodeStop(t.values[train::StopInfoIndex(s)], &wait, &b, &tf)) {
          *problem = where + ": the stop word at calc station " + std::to_string(s) + " cannot be read back";
          return std::nullopt;
        }
        w.Field(hours).Field(minutes).Field(wait).Field(b).Field(tf);
      }
      for (const std::string& text : t.texts) w.Field(text);
      w.End(data);
    }
    line.files.emplace_back(TimetableFileName(TimetableFileFor(f.weekkind, section.dayType)), data);
  }
  return line;
}

bool CompileInMemory(const DecompiledLine& line, std::string* bytes, std::string* problem) {
  MemoryLineReader files(64 * 1024);
  for (const auto& [name, contents] : line.files) files.Set(name, contents);
  FindingList findings;
  WaitCursor cursor;
  auto doc = std::make_unique<Document>();
  doc->settings = line.settings;
  doc->DeriveDelimiter();
  const bool ok = ReadAndCheck(*doc, files, findings, cursor, FaultMode::kFirstFault);
  for (const Finding& f : findings.findings)
    if (f.IsError()) {
      *problem = "error " + std::to_string(f.code);
      break;
    }
  if (!ok) return false;
  StringSink sink;
  WriteZkf(*doc, sink);
  *bytes = std::move(sink.bytes);
  return true;
}

}  // namespace orbline
