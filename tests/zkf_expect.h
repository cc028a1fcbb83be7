#pragma once

#include "compiler/zkf_reader.h"
#include "doc/document.h"

namespace orbline {

// Expects the decoded file to hold every row of the document up to and including each table's
// terminator (none for a full table), field by field, and the day types its scheme writes.
void ExpectFileMatchesDocument(const ZkfFile& f, const Document& d);

}  // namespace orbline
