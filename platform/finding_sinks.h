#pragma once

#include <vector>

#include "platform/finding.h"

namespace orbline {

// Keeps every finding, in the order they came.
class FindingList : public FindingSink {
 public:
  void Report(const Finding& finding) override { findings.push_back(finding); }
  std::vector<Finding> findings;
};

}  // namespace orbline
