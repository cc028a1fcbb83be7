#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "file_bytes.h"

namespace orbline {

// Expects `recorded` to be the text of the approved file `file`, naming the first line that
// differs. With ORBLINE_APPROVE set in the environment the file is written anew instead, for its
// diff to be reviewed.
inline void ExpectApproved(const std::filesystem::path& file, const std::string& recorded) {
  if (std::getenv("ORBLINE_APPROVE") != nullptr) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << recorded;
    return;
  }
  std::istringstream want(FileBytes(file)), got(recorded);
  std::string a, b;
  for (int line = 1; static_cast<bool>(std::getline(want, a)) | static_cast<bool>(std::getline(got, b)); ++line) {
    ASSERT_EQ(b, a) << file.string() << ":" << line << " (ORBLINE_APPROVE=1 writes the file anew)";
    a.clear();
    b.clear();
  }
}

}  // namespace orbline
