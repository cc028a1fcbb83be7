#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/finding.h"

namespace orbline {

// A finding as one UTF-8 line for a terminal, so that editors can jump to it:
// "<folder>/<file>:<line>: error <code>: <message>" ("warning" for a warning), without ":<line>"
// for a finding about a whole file, and with neither for one about no file. Each line break of
// the message becomes a blank; a detail follows in parentheses.
std::string FindingLine(const Finding& finding, const std::filesystem::path& sourceFolder);

// Prints every finding on a terminal stream as it comes.
class TerminalFindings : public FindingSink {
 public:
  TerminalFindings(std::FILE* out, std::filesystem::path sourceFolder)
      : out_(out), folder_(std::move(sourceFolder)) {}
  void Report(const Finding& finding) override;
  int errors() const { return errors_; }
  int warnings() const { return warnings_; }

 private:
  std::FILE* out_;
  std::filesystem::path folder_;
  int errors_ = 0;
  int warnings_ = 0;
};

}  // namespace orbline
