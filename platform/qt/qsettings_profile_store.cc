#include "platform/qt/qsettings_profile_store.h"

#include "platform/profile_location.h"

namespace orbline {
namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Key(std::string_view section, std::string_view key) {
  return FromUtf8(section) + QLatin1Char('/') + FromUtf8(key);
}

}  // namespace

QString ProfilePath() {
  const std::u8string path = ProfileLocation().u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(path.data()), static_cast<qsizetype>(path.size()));
}

QSettingsProfileStore::QSettingsProfileStore(const QString& path) : settings_(path, QSettings::IniFormat) {}

int QSettingsProfileStore::GetInt(std::string_view section, std::string_view key, int defaultValue) {
  bool ok = false;
  const int value = settings_.value(Key(section, key)).toInt(&ok);
  return ok ? value : defaultValue;
}

void QSettingsProfileStore::WriteInt(std::string_view section, std::string_view key, int value) {
  settings_.setValue(Key(section, key), value);
}

std::string QSettingsProfileStore::GetText(std::string_view section, std::string_view key,
                                           std::string_view defaultValue) {
  const QVariant value = settings_.value(Key(section, key));
  if (!value.isValid()) return std::string(defaultValue);
  // An INI line written by hand with unquoted commas reads as a list; it meant one text.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", ")).toStdString();
  return value.toString().toStdString();
}

void QSettingsProfileStore::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  settings_.setValue(Key(section, key), FromUtf8(value));
}

bool QSettingsProfileStore::ok() const { return settings_.status() == QSettings::NoError; }

}  // namespace orbline
