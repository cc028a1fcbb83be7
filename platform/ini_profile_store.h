#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "platform/profile_store.h"

namespace orbline {

// The profile the window keeps with QSettings, read without Qt: an INI file whose values QSettings
// quoted and escaped, read back as QSettings reads them. What is written goes to this object only,
// for the rest of the run, until Save puts it into the file (orblinec serve's settings form; the
// other commands never change the window's profile).
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

  // Puts the values written since reading into the file as QSettings would write them, each in
  // its section (a missing key or section is added at its end), and keeps every other line of the
  // file as it was. The file is replaced only once it is whole. Refused for a file that could not
  // be read or parsed, which it would lose.
  bool Save(std::string* err);

 private:
  // A value as QSettings gives it: one text, or a list where unquoted commas parted it.
  struct Value {
    std::string text;
    bool isList = false;
  };
  const Value* Find(std::string_view section, std::string_view key) const;

  std::map<std::string, Value, std::less<>> values_;  // "<section>/<key>"
  // The keys written since reading, and each one's text in the file.
  std::map<std::pair<std::string, std::string>, std::string> written_;
  std::filesystem::path path_;
  std::string error_;
};

// A value of a QSettings INI file as it stands after the '=', its quoting and escapes undone: the
// text, or the items of a list (QSettings parts a value at each comma outside double quotes).
// `*isList` says which; a list's items are joined with ", " into the text.
std::string UnescapeQSettingsValue(std::string_view raw, bool* isList);

// A UTF-8 text as QSettings writes it after the '=': escapes for control characters, quotes and
// backslashes, double quotes around it when it holds ';', ',' or '=' or begins or ends with a
// blank, and a second '@' before a leading one.
std::string EscapeQSettingsValue(std::string_view text);

}  // namespace orbline
