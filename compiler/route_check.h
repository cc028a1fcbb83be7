#pragma once

#include <vector>

#include "platform/finding.h"

namespace orbline {

class Document;
class LineReader;

enum class FaultMode {
  kFirstFault,  // stop at the first error, as compiling does
  kAllFaults,   // read every file to its end and report every fault of the route once
};

// Empties the document, reads every source file of the route in the compile command's order
// (info, kind, eki, map, the timetables) and cross-checks the tables. True when no error was found.
bool ReadAndCheck(Document& doc, LineReader& files, FindingSink& findings, FaultMode mode);

// Every finding of the route, each once, in the order SortFindings gives.
std::vector<Finding> CheckWholeRoute(Document& doc, LineReader& files);

// Sorts findings by file, in reading order (findings of no file first), then by line; findings of
// one line keep the order they were found in.
void SortFindings(std::vector<Finding>& findings);

}  // namespace orbline
