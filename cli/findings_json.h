#pragma once

#include <string>
#include <vector>

#include "platform/finding.h"

namespace orbline {

// The findings as one JSON array of objects with "file" (null for none), "line", "severity"
// ("error" or "warning"), "code" and "message" (UTF-8, line breaks kept).
std::string FindingsJson(const std::vector<Finding>& findings);

}  // namespace orbline
