#pragma once

#include <string_view>

namespace orbline {

// The user profile: integer values by section and key.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The stored value, or `defaultValue` for a key never written.
  virtual int GetInt(std::string_view section, std::string_view key, int defaultValue) = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
};

}  // namespace orbline
