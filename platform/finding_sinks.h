#pragma once

#include <vector>

#include "platform/finding.h"
#include "platform/message_sink.h"

namespace orbline {

// Keeps every finding, in the order they came.
class FindingList : public FindingSink {
 public:
  void Report(const Finding& finding) override { findings.push_back(finding); }
  std::vector<Finding> findings;
};

// Shows each error in the stop box, "error <code>", an empty line and the message; warnings show
// no box.
class BoxFindings : public FindingSink {
 public:
  explicit BoxFindings(MessageSink& messages) : messages_(messages) {}
  void Report(const Finding& finding) override {
    if (finding.IsError()) messages_.Show(finding.BoxText(), {}, MessageIcon::kStop);
  }

 private:
  MessageSink& messages_;
};

}  // namespace orbline
