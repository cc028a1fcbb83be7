#include "compiler/route_check.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "compiler/check_data.h"
#include "compiler/semantic_checks.h"
#include "document/document.h"
#include "document/source_file_names.h"
#include "document/source_reader.h"
#include "platform/finding_sinks.h"

namespace orbline {

namespace {

// Passes findings on and notes the files with an error in them.
class NotingErrors : public FindingSink {
 public:
  explicit NotingErrors(FindingSink& next) : next_(next) {}
  void Report(const Finding& finding) override {
    if (finding.IsError()) files.insert(finding.file);
    next_.Report(finding);
  }
  std::set<std::string, std::less<>> files;

 private:
  FindingSink& next_;
};

}  // namespace

bool ReadAndCheck(Document& doc, LineReader& files, FindingSink& findings, FaultMode mode) {
  doc.ResetTables();
  const bool keepGoing = mode == FaultMode::kAllFaults;
  NotingErrors noting(findings);
  SourceReader reader(doc, files, noting, ReadOptions{keepGoing});
  bool ok;
  if (!keepGoing) {
    ok = reader.ReadInfo() && reader.ReadKinds() && reader.ReadStations() && reader.ReadMap() &&
         reader.ReadTimetables() && CheckData(doc, noting);
    if (!ok) return false;
  } else {
    // Every file is read whatever became of the one before.
    ok = reader.ReadInfo();
    ok = reader.ReadKinds() && ok;
    ok = reader.ReadStations() && ok;
    ok = reader.ReadMap() && ok;
    ok = reader.ReadTimetables() && ok;
    ok = CheckData(doc, noting, true) && ok;
  }
  CheckSemantics(doc, noting, noting.files);
  return ok;
}

std::vector<Finding> CheckWholeRoute(Document& doc, LineReader& files) {
  FindingList list;
  ReadAndCheck(doc, files, list, FaultMode::kAllFaults);
  // One line says a thing once (a station without either To2 says so once, not twice).
  std::vector<Finding> findings;
  std::set<std::tuple<std::string, int, int, int, int>> seen;
  for (Finding& f : list.findings)
    if (seen.emplace(f.file, f.line, f.code, f.a, f.b).second) findings.push_back(std::move(f));
  SortFindings(findings);
  return findings;
}

void SortFindings(std::vector<Finding>& findings) {
  auto rank = [](const Finding& f) { return f.file.empty() ? -1 : ReadingOrder(f.file); };
  std::stable_sort(findings.begin(), findings.end(), [&](const Finding& x, const Finding& y) {
    return std::make_pair(rank(x), x.line) < std::make_pair(rank(y), y.line);
  });
}

}  // namespace orbline
