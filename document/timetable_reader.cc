// ReadTimetables and ReadTimetableFile: data1.txt..data3.txt into the three day types.
#include <algorithm>
#include <array>

#include "document/day_type_scheme.h"
#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_file.h"
#include "document/source_file_names.h"
#include "document/source_reader.h"

namespace orbline {
namespace {

// One column group of a timetable header.
struct StopColumn {
  uint8_t calcStation = 0;  // kept in 8 bits, as the header gives it modulo 256
  bool hasB = false;
  bool hasT = false;
  bool stored = true;  // false for a number above 100, whose fields are read but kept nowhere
};

bool StartsWith(std::string_view rest, char upper, char lower) {
  return !rest.empty() && (rest[0] == upper || rest[0] == lower);
}

// What a stop word and a time can hold: hours of 24 to 29 are the late-night notation, 30 and
// more no clock time; a wait of 52 minutes or more runs into the T and B bits; B has six bits.
constexpr uint32_t kLastClockHour = 30;
constexpr uint32_t kLongestWait = 52;
constexpr uint32_t kHighestB = 63;

// One stop as written: hours, minutes, wait minutes and the B number. Negative numbers read as
// very large ones here.
struct WrittenStop {
  uint32_t hours, minutes, waitMinutes, bNumber;
  bool Odd() const {
    return hours >= kLastClockHour || minutes >= 60u || waitMinutes >= kLongestWait || bNumber > kHighestB;
  }
};

// Warns, once per line and kind, about a stop that is stored as something other than written.
// `given` keeps the kinds already warned about on this line.
void WarnOddStop(SourceFile& file, const WrittenStop& stop, unsigned& given) {
  auto once = [&](unsigned bit, int code, int a, int b) {
    if (given & bit) return;
    given |= bit;
    file.Report(code, a, b);
  };
  if (stop.hours >= kLastClockHour || stop.minutes >= 60u) {
    const uint16_t stored = static_cast<uint16_t>((stop.hours * 60u + stop.minutes) * 10u);
    once(1, kWarnClockTime, stored / 600, stored % 600 / 10);
  }
  if (stop.waitMinutes >= kLongestWait) once(2, kWarnWaitOverflow, static_cast<int32_t>(stop.waitMinutes), 0);
  if (stop.bNumber > kHighestB)
    once(4, kWarnBNumber, static_cast<int32_t>(stop.bNumber), static_cast<int>(stop.bNumber & kHighestB));
}

// Reads one timetable file into one day type: the header's column groups, then a train a line.
class TimetableFile {
 public:
  TimetableFile(SourceReader& reader, SourceFile& file, int fileNumber, int dayType)
      : reader_(reader),
        doc_(reader.doc()),
        file_(file),
        split_(doc_.settings, doc_.delimiter),
        fileNumber_(fileNumber),
        dayType_(dayType) {}

  // False when the file cannot be read on (a fault stopped it, or it failed).
  bool ReadHeader();
  bool ReadTrains();
  // True when no line was rejected.
  bool sound() const { return sound_; }

 private:
  bool ReadColumnGroups(std::string_view& header);
  void ReadStops(std::string_view& line, Train& train);
  void ReadTexts(std::string_view& line, Train& train);

  SourceReader& reader_;
  Document& doc_;
  SourceFile& file_;
  FieldSplitter split_;
  int fileNumber_, dayType_;
  std::array<StopColumn, kCalcStationCapacity> columns_{};
  int columnCount_ = 0;
  bool sound_ = true;
};

bool TimetableFile::ReadHeader() {
  if (doc_.settings.top) file_.Skip();
  // The header; at the end of the file it is an empty line.
  std::string_view header;
  if (!file_.Next(&header)) {
    if (file_.failed()) return false;
    header = {};
  }
  for (int k = 0; k < Train::kHeaderValueCount; ++k) split_.Split(header, false);
  Document::TimetableHeader& kept = doc_.timetableHeaders[dayType_];
  kept = {};
  kept.line = file_.line();
  if (!ReadColumnGroups(header)) return false;
  kept.maxCalcStation = doc_.maxCalcStation;
  if (columnCount_ == kCalcStationCapacity && static_cast<uint8_t>(split_.SplitInt(header)) != 0)
    file_.Report(kWarnHeaderColumnsDropped);
  file_.CheckNumbers(split_);
  return true;
}

bool TimetableFile::ReadColumnGroups(std::string_view& header) {
  Document::TimetableHeader& kept = doc_.timetableHeaders[dayType_];
  std::array<bool, 256> seen{};
  for (; columnCount_ < kCalcStationCapacity; ++columnCount_) {
    const auto number = static_cast<uint8_t>(split_.SplitInt(header));
    split_.Split(header, false);
    split_.Split(header, false);
    if (number == 0) break;
    StopColumn& column = columns_[columnCount_];
    column.calcStation = number;
    // The markers are tested on the rest of the line as it is, untrimmed; B before T.
    if (StartsWith(header, 'B', 'b')) {
      column.hasB = true;
      split_.Split(header, false);
    }
    if (StartsWith(header, 'T', 't')) {
      column.hasT = true;
      split_.Split(header, false);
    }
    if (number > kCalcStationCapacity) {
      sound_ = false;
      column.stored = false;
      if (!reader_.keepGoing()) doc_.maxCalcStation = std::max<int>(doc_.maxCalcStation, number);
      if (!file_.Reject(kErrDataHeaderCalcNo, fileNumber_, 0)) return false;
      continue;
    }
    if (number > doc_.maxCalcStation) doc_.maxCalcStation = number;
    if (seen[number]) {
      // The later column's values overwrite the earlier ones: it stands in the earlier one's place.
      file_.Report(kWarnHeaderStationTwice, number);
      std::erase(kept.columns, number);
    }
    seen[number] = true;
    kept.columns.push_back(number);
  }
  return true;
}

void TimetableFile::ReadStops(std::string_view& line, Train& train) {
  unsigned oddStops = 0;  // the warnings already given for this line
  for (int k = 0; k < columnCount_; ++k) {
    const StopColumn& column = columns_[k];
    // 16-bit arithmetic throughout: the stored words wrap around modulo 65536.
    WrittenStop stop;
    stop.hours = static_cast<uint32_t>(split_.SplitInt(line));
    stop.minutes = static_cast<uint32_t>(split_.SplitInt(line));
    stop.waitMinutes = static_cast<uint32_t>(split_.SplitInt(line));
    stop.bNumber = column.hasB ? static_cast<uint32_t>(split_.SplitInt(line)) : 0u;
    uint32_t wait = stop.waitMinutes * 10u;
    uint32_t b = stop.bNumber * 2u;
    if (column.hasT && split_.SplitInt(line) > 0) b += 1;
    if (doc_.settings.sec30 && wait == 10) wait = 5;  // a one-minute wait becomes 30 seconds
    if (stop.Odd()) [[unlikely]]
      WarnOddStop(file_, stop, oddStops);
    if (!column.stored) continue;
    train.values[Train::TimeIndex(column.calcStation)] = static_cast<uint16_t>((stop.hours * 60u + stop.minutes) * 10u);
    // Nothing is masked: a wait of 52 minutes or more carries into the B and T bits.
    train.values[Train::StopIndex(column.calcStation)] = static_cast<uint16_t>(b * 512u + wait);
  }
}

void TimetableFile::ReadTexts(std::string_view& line, Train& train) {
  if (doc_.settings.kugiri == FormatSettings::kFixedWidth) {
    train.texts[2] = split_.Split(line, true);
    return;
  }
  train.texts[0] = split_.Split(line, false);
  train.texts[1] = split_.Split(line, false);
  train.texts[2] = split_.Split(line, true);
}

bool TimetableFile::ReadTrains() {
  auto& trains = doc_.trains[dayType_];
  std::string_view line;
  // At most 3000 train lines are read; a train rejected while going on leaves its row to the next.
  int n = 0;
  for (int row = 0; n < kTrainCapacity && file_.Next(&line); ++n) {
    Train& train = trains[row];
    for (int k = 0; k < Train::kHeaderValueCount; ++k) train.values[k] = static_cast<uint16_t>(split_.SplitInt(line));
    ReadStops(line, train);
    file_.CheckNumbers(split_);
    ReadTexts(line, train);
    train.line = file_.line();
    const Train::Fault fault = train.CheckValues();
    if (fault == Train::Fault::kNone) {
      ++row;
      continue;
    }
    sound_ = false;
    // Stopping, the train stays stored when a check rejects it.
    if (!file_.Reject(TrainFaultCode(fault, TrainCheck::kReading), fileNumber_, n + 1)) return false;
    train.Reset();
  }
  if (n == kTrainCapacity) file_.WarnDroppedLines(kTrainCapacity);
  return true;
}

}  // namespace

bool SourceReader::ReadTimetables() {
  if (TimetableFileFor(doc_.settings.weekkind, kWeekday) == 0) {
    // A hand-edited profile: no scheme says which files to read, so read none and say so.
    ReportError(kErrWeekkind, doc_.settings.weekkind, 0, {}, 0);
    return false;
  }
  bool result = true;
  for (int day = 0; day < kDayTypeCount; ++day) {
    if (!ReadTimetableFile(TimetableFileFor(doc_.settings.weekkind, day), day)) {
      result = false;
      if (!keepGoing()) break;
    }
  }
  return result;
}

bool SourceReader::ReadTimetableFile(int fileNumber, int dayType) {
  doc_.maxCalcStation = 0;
  doc_.dayTypeFile[dayType] = fileNumber;
  SourceFile file(*this, TimetableFileName(fileNumber), SourceFile::Kind::kFields, kErrDataNotFound, kErrDataUnknown,
                  fileNumber);
  if (!file.open()) return false;
  TimetableFile timetable(*this, file, fileNumber, dayType);
  if (!timetable.ReadHeader() || !timetable.ReadTrains()) return false;
  return !file.failed() && timetable.sound();
}

}  // namespace orbline
