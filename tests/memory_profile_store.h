#pragma once

#include <map>
#include <string>

#include "platform/profile_store.h"

namespace orbline {

// A profile held in memory.
class MemoryProfileStore : public ProfileStore {
 public:
  int GetInt(std::string_view section, std::string_view key, int defaultValue) override {
    auto it = values_.find(Key(section, key));
    return it == values_.end() ? defaultValue : std::stoi(it->second);
  }
  void WriteInt(std::string_view section, std::string_view key, int value) override {
    values_[Key(section, key)] = std::to_string(value);
  }
  std::string GetText(std::string_view section, std::string_view key, std::string_view defaultValue) override {
    auto it = values_.find(Key(section, key));
    return it == values_.end() ? std::string(defaultValue) : it->second;
  }
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override {
    values_[Key(section, key)] = value;
  }
  bool Has(std::string_view section, std::string_view key) const { return values_.count(Key(section, key)) != 0; }

 private:
  static std::string Key(std::string_view section, std::string_view key) {
    return std::string(section) + "/" + std::string(key);
  }
  std::map<std::string, std::string> values_;
};

}  // namespace orbline
