#pragma once

#include <QSettings>
#include <QString>

#include "platform/profile_store.h"

namespace orbline {

// The user profile in the program's own initialisation file, shared by the window and orblinec
// (ProfileLocation).
QString ProfilePath();

// The profile kept by QSettings in an INI file. Sections are INI groups.
class QSettingsProfileStore : public ProfileStore {
 public:
  explicit QSettingsProfileStore(const QString& path = ProfilePath());

  int GetInt(std::string_view section, std::string_view key, int defaultValue) override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  std::string GetText(std::string_view section, std::string_view key, std::string_view defaultValue) override;
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override;

  // False when the file exists but could not be read or parsed.
  bool ok() const;

 private:
  QSettings settings_;
};

}  // namespace orbline
