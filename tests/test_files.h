#pragma once

#include <gtest/gtest.h>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orbline {

// The whole content of a file, or "" when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline long ProcessId() {
#ifdef _WIN32
  return ::_getpid();
#else
  return ::getpid();
#endif
}

// An empty folder of the running test's own under the system's temporary folder:
// orbline-<kind>-<process>-<test name>.
inline std::filesystem::path FreshTestFolder(const std::string& kind) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("orbline-" + kind + "-" + std::to_string(ProcessId()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

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
