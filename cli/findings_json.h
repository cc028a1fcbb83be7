#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/finding.h"

namespace orbline {

// The findings as one JSON array of objects with "file" (the path as the text lines show it,
// `sourceFolder` before the name; null for none), "line", "severity" ("error" or "warning"),
// "code" and "message" (UTF-8, line breaks kept), and a line break, in `*json`. False with `*error`
// saying why when it could not be made.
bool FindingsJson(const std::vector<Finding>& findings, const std::filesystem::path& sourceFolder, std::string* json,
                  std::string* error);

}  // namespace orbline
