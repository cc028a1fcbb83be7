#include "cli/findings_json.h"

#include <nlohmann/json.hpp>

#include "cli/terminal_findings.h"
#include "platform/sjis.h"

namespace orbline {

bool FindingsJson(const std::vector<Finding>& findings, const std::filesystem::path& sourceFolder, std::string* json,
                  std::string* error) {
  try {
    // The keys in alphabetical order, as before.
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const Finding& f : findings) {
      nlohmann::ordered_json o;
      o["code"] = f.code;
      o["file"] = f.file.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(ShownPath(f, sourceFolder));
      o["line"] = f.line;
      o["message"] = SjisToUtf8(f.message);
      o["severity"] = f.IsError() ? "error" : "warning";
      array.push_back(std::move(o));
    }
    *json = array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    return true;
  } catch (const std::exception& e) {
    *error = e.what();
    return false;
  }
}

}  // namespace orbline
