// Reading speed of a line filled to every table's capacity, from files on disk (through the page
// cache), with the settings of a weekday / Saturday / Sunday timetable (weekkind 2).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "bench/full_data_set.h"
#include "compiler/route_check.h"
#include "document/document.h"
#include "document/source_reader.h"
#include "platform/disk_line_reader.h"
#include "platform/finding_sinks.h"

namespace orbline {
namespace {

// The data set in a folder of its own under the system's temporary folder, written on first use
// and removed when the program ends.
class DataSetFolder {
 public:
  static DataSetFolder& Get() {
    static DataSetFolder folder;
    return folder;
  }

  const std::filesystem::path& path() const { return path_; }
  const WrittenDataSet& set() const { return set_; }

  std::uintmax_t TimetableBytes() const {
    return set_.BytesOf("data1.txt") + set_.BytesOf("data2.txt") + set_.BytesOf("data3.txt");
  }

 private:
  DataSetFolder() : path_(std::filesystem::temp_directory_path() / ("orbline-bench-" + std::to_string(::getpid()))) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    try {
      set_ = WriteFullDataSet(path_);
    } catch (...) {
      std::filesystem::remove_all(path_, ignored);
      throw;
    }
  }
  ~DataSetFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::filesystem::path path_;
  WrittenDataSet set_;
};

// One document over the data set folder. The document holds every table at full capacity
// (about 5 MB), so it lives on the heap and is made once for all benchmarks.
class Reading {
 public:
  static Reading& Get() {
    static Reading reading;
    return reading;
  }

  Document& doc() { return *doc_; }
  const FindingList& findings() const { return findings_; }
  SourceReader reader() { return SourceReader(*doc_, files_, findings_); }

  // What compiling reads and checks, in compiling's order; false when anything was reported.
  bool ReadAll() {
    const bool ok = ReadAndCheck(*doc_, files_, findings_, FaultMode::kFirstFault);
    return ok && findings_.findings.empty();
  }

  // Every finding of the route; false when there was one.
  bool CheckAll() { return CheckWholeRoute(*doc_, files_).empty(); }

  // After ReadAll: empty when every table came out full, else what is missing.
  std::string CheckFull() const {
    const Document& d = *doc_;
    if (const int n = RowsBeforeEnd(d.kinds); n < kKindCapacity) return "kind " + std::to_string(n + 1) + " is empty";
    if (const int n = RowsBeforeEnd(d.stations); n < kStationCapacity)
      return "station " + std::to_string(n + 1) + " has no name";
    if (const int n = RowsBeforeEnd(d.mapItems); n < kMapItemCapacity)
      return "map item " + std::to_string(n + 1) + " is empty";
    for (int day = 0; day < kDayTypeCount; ++day)
      if (const int n = RowsBeforeEnd(d.trains[day]); n < kTrainCapacity)
        return "train " + std::to_string(day + 1) + "-" + std::to_string(n + 1) + " is empty";
    if (d.maxCalcStation != kCalcStationCapacity) return "max calc station is " + std::to_string(d.maxCalcStation);
    return {};
  }

 private:
  Reading() : files_(DataSetFolder::Get().path()), doc_(std::make_unique<Document>()) { doc_->settings.weekkind = 2; }

  DiskLineReader files_;
  FindingList findings_;
  std::unique_ptr<Document> doc_;
};

std::string FirstMessage(const FindingList& findings) {
  return findings.findings.empty() ? std::string("a reader failed without a message")
                                   : "error " + std::to_string(findings.findings.front().code);
}

// Everything compiling reads: ResetTables, then info, kinds, stations, map and timetables.
void BM_ReadAll(benchmark::State& state) {
  Reading& reading = Reading::Get();
  if (!reading.ReadAll()) {
    state.SkipWithError(FirstMessage(reading.findings()).c_str());
    return;
  }
  if (std::string fault = reading.CheckFull(); !fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  for (auto _ : state) {
    if (!reading.ReadAll()) {
      state.SkipWithError(FirstMessage(reading.findings()).c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(DataSetFolder::Get().set().totalBytes));
}
BENCHMARK(BM_ReadAll)->Unit(benchmark::kMillisecond);

// The same line checked for every fault at once, as "orblinec check --all" does.
void BM_CheckWholeRoute(benchmark::State& state) {
  Reading& reading = Reading::Get();
  for (auto _ : state) {
    if (!reading.CheckAll()) {
      state.SkipWithError("the full set has findings");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(DataSetFolder::Get().set().totalBytes));
}
BENCHMARK(BM_CheckWholeRoute)->Unit(benchmark::kMillisecond);

// The three timetable files alone, read over tables that already hold a full set.
void BM_ReadTimetables(benchmark::State& state) {
  Reading& reading = Reading::Get();
  if (!reading.ReadAll()) {
    state.SkipWithError(FirstMessage(reading.findings()).c_str());
    return;
  }
  for (auto _ : state) {
    if (!reading.reader().ReadTimetables() || !reading.findings().findings.empty()) {
      state.SkipWithError(FirstMessage(reading.findings()).c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(DataSetFolder::Get().TimetableBytes()));
}
BENCHMARK(BM_ReadTimetables)->Unit(benchmark::kMillisecond);

// Emptying tables that are already empty: the sweep over every entry that each command pays.
void BM_ResetTablesEmpty(benchmark::State& state) {
  Document& doc = Reading::Get().doc();
  doc.ResetTables();
  for (auto _ : state) {
    doc.ResetTables();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ResetTablesEmpty)->Unit(benchmark::kMillisecond);

// Emptying tables after a full read, which also gives back the texts' storage. The read between
// two resets is not timed.
void BM_ResetTablesFull(benchmark::State& state) {
  Reading& reading = Reading::Get();
  for (auto _ : state) {
    state.PauseTiming();
    const bool ok = reading.ReadAll();
    state.ResumeTiming();
    if (!ok) {
      state.SkipWithError(FirstMessage(reading.findings()).c_str());
      break;
    }
    reading.doc().ResetTables();
    benchmark::ClobberMemory();
  }
}
// Each iteration pays a full untimed read, so keep the count small.
BENCHMARK(BM_ResetTablesFull)->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace
}  // namespace orbline

BENCHMARK_MAIN();
