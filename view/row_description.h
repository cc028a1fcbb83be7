#pragma once

#include <string>

#include "view/canvas.h"

namespace orbline {

class Document;

// A drawn row as the author finds it in the files (Shift_JIS): "eki.txt:7"; a map item with its
// kind's number and short name and its text if any, "map.txt:24  44 ラベル 汐凪港". Empty for no row.
std::string DescribeRow(const Document& doc, const SourceRow& row);

}  // namespace orbline
