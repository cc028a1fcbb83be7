#pragma once

#include <string>
#include <string_view>

namespace orbline {

// The user profile: integer values and texts by section and key.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The stored value, or `defaultValue` for a key never written.
  virtual int GetInt(std::string_view section, std::string_view key, int defaultValue) = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
  // Texts are UTF-8, such as a command line with file names in it.
  virtual std::string GetText(std::string_view section, std::string_view key, std::string_view defaultValue) = 0;
  virtual void WriteText(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace orbline
