#pragma once

#include <string>
#include <vector>

#include "platform/finding.h"

namespace orbline {

// The findings as one JSON array of objects with "file" (null for none), "line", "severity"
// ("error" or "warning"), "code" and "message" (UTF-8, line breaks kept), and a line break, in
// `*json`. False with `*error` saying why when it could not be made.
bool FindingsJson(const std::vector<Finding>& findings, std::string* json, std::string* error);

}  // namespace orbline
