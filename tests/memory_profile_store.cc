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

bool MemoryProfileStore::Has(std::string_view section, std::string_view key) const {
  return values_.count({std::string(section), std::string(key)}) != 0;
}

}  // namespace orbline
