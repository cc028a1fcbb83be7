#include "platform/qt/qsettings_profile_store.h"

#include <QStandardPaths>

namespace orbline {
namespace {

QString Key(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') +
         QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

QString ProfilePath() {
  const QByteArray env = qgetenv("ORBLINE_PROFILE");
  if (!env.isEmpty()) return QString::fromLocal8Bit(env);
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QLatin1String("/Orbline.ini");
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

bool QSettingsProfileStore::ok() const { return settings_.status() == QSettings::NoError; }

}  // namespace orbline
