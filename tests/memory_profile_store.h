#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/profile_store.h"

namespace orbline {

// A profile held in memory; it also keeps the order of writes, for tests.
class MemoryProfileStore : public ProfileStore {
 public:
  int GetInt(std::string_view section, std::string_view key, int defaultValue) override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  std::string GetText(std::string_view section, std::string_view key, std::string_view defaultValue) override;
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override;

  bool Has(std::string_view section, std::string_view key) const;
  // "section/key" of every write, oldest first.
  const std::vector<std::string>& writes() const { return writes_; }

 private:
  std::map<std::pair<std::string, std::string>, int> values_;
  std::map<std::pair<std::string, std::string>, std::string> texts_;
  std::vector<std::string> writes_;
};

}  // namespace orbline
