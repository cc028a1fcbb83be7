#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "platform/profile_store.h"

namespace orbline {

// The profile the window keeps with QSettings, read without Qt: an INI file whose values QSettings
// quoted and escaped, read back as QSettings reads them. What is written goes to this object only,
// for the rest of the run, never to the file (orblinec never changes the window's profile).
class IniProfileStore : public ProfileStore {
 public:
  // Reads `path`. A file that does not exist is an empty profile; one that cannot be read or
  // parsed is one too, and says why in error().
  explicit IniProfileStore(const std::filesystem::path& path);

  int GetInt(std::string_view section, std::string_view key, int defaultValue) override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  std::string GetText(std::string_view section, std::string_view key, std::string_view defaultValue) override;
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override;

  // Why the file could not be read, or "".
  const std::string& error() const { return error_; }

 private:
  // A value as QSettings gives it: one text, or a list where unquoted commas parted it.
  struct Value {
    std::string text;
    bool isList = false;
  };
  const Value* Find(std::string_view section, std::string_view key) const;

  std::map<std::string, Value, std::less<>> values_;  // "<section>/<key>"
  std::string error_;
};

// A value of a QSettings INI file as it stands after the '=', its quoting and escapes undone: the
// text, or the items of a list (QSettings parts a value at each comma outside double quotes).
// `*isList` says which; a list's items are joined with ", " into the text.
std::string UnescapeQSettingsValue(std::string_view raw, bool* isList);

}  // namespace orbline
