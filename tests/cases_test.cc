// Small lines written out in tests/cases/*.txt, each read as the compile command and as
// "check --all" read it: what each reports, and for the cases marked "dump" what the compiled file
// holds. The results are compared with tests/approved/cases-<topic>.txt; after a change meant to
// alter them, run the tests with ORBLINE_APPROVE=1 and review the diff.
//
// A case file is a list of cases, each "=== name", then optionally "settings: KUGIRI KANKAKU
// WEEKKIND TOP 30SEC", "dump" and the sections of the compiled file to show ("[Eki]", "[Data]"…),
// "only reader findings" (none of the checks of the whole line's meaning) and "# comments", then its
// source files, each "--- name" followed by its lines (written in UTF-8, stored in Shift_JIS; \xNN
// stands for a raw byte) or "--- name missing". The first case, "base", gives every other case its
// files and settings. The sections shown are those of the file written from what "check --all" read.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <sstream>

#include "cli/zkf_dump.h"
#include "compiler/route_check.h"
#include "compiler/zkf_writer.h"
#include "document_fixture.h"
#include "test_files.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

struct Case {
  std::string name;
  FormatSettings settings;
  std::vector<std::string> dump;                            // the sections of the compiled file to show
  bool readerFindings = false;                              // only the findings of the readers and the range checks
  std::map<std::string, std::optional<std::string>> files;  // nullopt: the file is missing
};

// A line of a case file as the bytes of a source file: Shift_JIS, with \xNN escapes as raw bytes.
std::string SourceBytes(const std::string& line) {
  std::string out;
  size_t from = 0;
  for (size_t at; (at = line.find("\\x", from)) != std::string::npos; from = at + 4) {
    out += Utf8ToSjis(line.substr(from, at - from)) + static_cast<char>(std::stoi(line.substr(at + 2, 2), nullptr, 16));
  }
  return out + Utf8ToSjis(line.substr(from));
}

std::vector<Case> ReadCases(const fs::path& path) {
  std::vector<Case> cases;
  std::istringstream in(FileBytes(path));
  std::string line, file;
  while (std::getline(in, line)) {
    if (line.rfind("=== ", 0) == 0) {
      cases.push_back(cases.empty() ? Case() : cases.front());
      cases.back().name = line.substr(4);
      file.clear();
    } else if (line.rfind("--- ", 0) == 0) {
      file = line.substr(4);
      const bool missing = file.size() > 8 && file.ends_with(" missing");
      if (missing) file.resize(file.size() - 8);
      cases.back().files[file] = missing ? std::nullopt : std::optional<std::string>("");
    } else if (!file.empty()) {
      *cases.back().files[file] += SourceBytes(line) + "\r\n";
    } else if (line.rfind("settings: ", 0) == 0) {
      FormatSettings& s = cases.back().settings;
      std::istringstream(line.substr(10)) >> s.kugiri >> s.kankaku >> s.weekkind >> s.top >> s.sec30;
    } else if (line.rfind("dump ", 0) == 0) {
      std::istringstream sections(line.substr(5));
      cases.back().dump.assign(std::istream_iterator<std::string>(sections), {});
    } else if (line == "only reader findings") {
      cases.back().readerFindings = true;
    }
  }
  return cases;
}

// The findings, one a line, the checks of the line's meaning (codes from 100) only when asked for.
std::string Places(const std::vector<Finding>& findings, bool readerFindings) {
  std::string out;
  for (const Finding& f : findings)
    if (!readerFindings || f.code < 100)
      out += "  " + f.file + ":" + std::to_string(f.line) + (f.IsError() ? ": error " : ": warning ") +
             std::to_string(f.code) + " (" + std::to_string(f.a) + ", " + std::to_string(f.b) + ")\n";
  return out.empty() ? "  none\n" : out;
}

// The paragraphs of the file's dump that start with one of `sections`.
std::string Sections(const Document& doc, const std::vector<std::string>& sections) {
  StringSink sink;
  WriteZkf(doc, sink);
  ZkfFile file;
  std::string err;
  EXPECT_TRUE(ReadZkf(sink.bytes, &file, &err)) << err;
  std::istringstream dump(DumpText(file));
  std::string out, line;
  bool shown = false;
  while (std::getline(dump, line)) {
    if (line.rfind("  ", 0) != 0)
      shown =
          std::any_of(sections.begin(), sections.end(), [&](const std::string& s) { return line.rfind(s, 0) == 0; });
    if (shown) out += line + "\n";
  }
  return out;
}

std::string Outcome(const Case& c) {
  MemoryLineReader files;
  for (const auto& [name, bytes] : c.files)
    if (bytes) files.Set(name, *bytes);
  auto doc = std::make_unique<Document>();
  doc->settings = c.settings;
  doc->DeriveDelimiter();
  const std::vector<Finding> every = CheckWholeRoute(*doc, files);
  const std::string all = Places(every, c.readerFindings);
  FindingList unused;
  EXPECT_EQ(ReadAndCheck(*doc, files, unused, FaultMode::kAllFaults), std::ranges::none_of(every, &Finding::IsError))
      << c.name << ": reading every fault says whether there was an error";
  const std::string shown = c.dump.empty() ? "" : Sections(*doc, c.dump);
  FindingList first;
  const bool compiles = ReadAndCheck(*doc, files, first, FaultMode::kFirstFault);
  const std::string firstPlaces = Places(first.findings, c.readerFindings);
  return "=== " + c.name + "\nevery finding:\n" + all + (compiles ? "compiling" : "compiling stops") +
         (firstPlaces == all ? ": the same\n" : ":\n" + firstPlaces) + shown;
}

class CasesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CasesTest, ReportAndHoldWhatWasApproved) {
  const fs::path dir = fs::path(ORBLINE_SOURCE_DIR) / "tests";
  std::string recorded;
  for (const Case& c : ReadCases(dir / "cases" / (GetParam() + ".txt"))) recorded += Outcome(c);
  ExpectApproved(dir / "approved" / ("cases-" + GetParam() + ".txt"), recorded);
}

INSTANTIATE_TEST_SUITE_P(Topics, CasesTest, ::testing::Values("readers", "checks", "findings", "semantics"));

}  // namespace
}  // namespace orbline
