#pragma once

#include <string>

#include "compiler/zkf_reader.h"

namespace orbline {

// The decoded file for a person to read, texts shown as UTF-8.
std::string DumpText(const ZkfFile& file);

// The decoded file as one JSON object, texts as UTF-8 strings, and a line break, in `*json`. False
// with `*error` saying why when it could not be made.
bool DumpJson(const ZkfFile& file, std::string* json, std::string* error);

}  // namespace orbline
