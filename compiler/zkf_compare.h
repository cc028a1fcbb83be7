#pragma once

#include <string>

#include "compiler/zkf_reader.h"

namespace orbline {

class Document;

// Compares a decoded file with the document it was written from: every row up to and including
// each table's terminator (none for a full table), field by field, and the day types its scheme
// writes. True when they agree; otherwise false, with `*difference` naming the first difference
// ("station 3 value 10: 5 in the file, 6 in the document").
bool MatchesDocument(const ZkfFile& file, const Document& doc, std::string* difference);

}  // namespace orbline
