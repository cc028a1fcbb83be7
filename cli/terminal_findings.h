#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/finding.h"

namespace orbline {

// Where a finding's file is as a terminal shows it: "<folder>/<file>", the bare name in the current
// folder, "" for a finding about no file.
std::string ShownPath(const Finding& finding, const std::filesystem::path& sourceFolder);

// A finding as one UTF-8 line for a terminal, so that editors can jump to it:
// "<folder>/<file>:<line>: error <code>: <message>" ("warning" for a warning), without ":<line>"
// for a finding about a whole file, and with neither for one about no file. Each line break of
// the message becomes a blank; a detail follows in parentheses.
std::string FindingLine(const Finding& finding, const std::filesystem::path& sourceFolder);

// "1 error, 2 warnings": the count line that ends a list of findings.
std::string CountLine(int errors, int warnings);

// Collects findings and prints them on a terminal stream sorted by file and line, as a check of
// the whole route lists them, when flushed (by the end at the latest).
class TerminalFindings : public FindingSink {
 public:
  TerminalFindings(std::FILE* out, std::filesystem::path sourceFolder) : out_(out), folder_(std::move(sourceFolder)) {}
  ~TerminalFindings() override { Flush(); }
  void Report(const Finding& finding) override;
  // Prints what came since the last flush.
  void Flush();
  int errors() const { return errors_; }
  int warnings() const { return warnings_; }

 private:
  std::FILE* out_;
  std::filesystem::path folder_;
  std::vector<Finding> pending_;
  int errors_ = 0;
  int warnings_ = 0;
};

}  // namespace orbline
