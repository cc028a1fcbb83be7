#include "tests/memory_profile_store.h"

namespace orbline {

int MemoryProfileStore::GetInt(std::string_view section, std::string_view key, int defaultValue) {
  auto it = values_.find({std::string(section), std::string(key)});
  return it == values_.end() ? defaultValue : it->second;
}

void MemoryProfileStore::WriteInt(std::string_view section, std::string_view key, int value) {
  values_[{std::string(section), std::string(key)}] = value;
  writes_.push_back(std::string(section) + "/" + std::string(key));
}

std::string MemoryProfileStore::GetText(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) {
  auto it = texts_.find({std::string(section), std::string(key)});
  return it == texts_.end() ? std::string(defaultValue) : it->second;
}

void MemoryProfileStore::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  texts_[{std::string(section), std::string(key)}] = std::string(value);
  writes_.push_back(std::string(section) + "/" + std::string(key));
}

bool MemoryProfileStore::Has(std::string_view section, std::string_view key) const {
  const std::pair<std::string, std::string> at{std::string(section), std::string(key)};
  return values_.count(at) != 0 || texts_.count(at) != 0;
}

}  // namespace orbline
