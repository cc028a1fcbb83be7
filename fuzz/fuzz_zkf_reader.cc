// The ZKF reader on arbitrary bytes, and the dumps of whatever it accepts.
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/zkf_dump.h"
#include "compiler/zkf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orbline;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ZkfFile file;
  std::string err;
  if (!ReadZkf(bytes, &file, &err)) {
    // "byte N: what", N within the input.
    if (err.rfind("byte ", 0) != 0 || std::stoull(err.substr(5)) > size) abort();
    return 0;
  }
  std::string json, problem;
  if (DumpText(file).empty() || !DumpJson(file, &json, &problem) || json.empty()) abort();
  return 0;
}
