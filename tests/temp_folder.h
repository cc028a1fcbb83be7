#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace orbline {

// An empty folder of the running test's own under the system's temporary folder:
// orbline-<kind>-<process>-<test name>.
inline std::filesystem::path FreshTestFolder(const std::string& kind) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() /
                       ("orbline-" + kind + "-" + std::to_string(::getpid()) + "-" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

}  // namespace orbline
