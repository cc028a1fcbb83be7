// The window's profile as QSettings writes it is what orblinec reads without Qt; the file
// tests/cases/qsettings-profile.ini, which the unit tests read on every system, is what it writes.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "document/format_settings.h"
#include "platform/ini_profile_store.h"
#include "platform/qt/qsettings_profile_store.h"

namespace orbline {

// An editor command with a Windows path, blanks, a comma and Japanese.
constexpr char kCommand[] = R"("C:\Program Files (x86)\秀丸エディタ\Hidemaru.exe" /j{line},1 "{file}")";

class ProfileStoreTest : public QObject {
  Q_OBJECT

 private slots:
  void orblinecReadsWhatTheWindowWrote() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orbline.ini"));
    {
      QSettingsProfileStore window(path);
      FormatSettings settings;
      settings.kugiri = 1;
      settings.kankaku = 7;
      settings.weekkind = 2;
      settings.top = 1;
      settings.sec30 = 0;
      settings.Save(window);
      window.WriteInt("mode", "jidou", 0);
      window.WriteText("editor", "command", kCommand);
    }
    QFile written(path), fixture(QStringLiteral(ORBLINE_SOURCE_DIR "/tests/cases/qsettings-profile.ini"));
    QVERIFY(written.open(QIODevice::ReadOnly) && fixture.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), fixture.readAll());

    IniProfileStore read(QFile::encodeName(path).toStdString());
    QCOMPARE(read.error(), std::string());
    QCOMPARE(read.GetText("editor", "command", ""), std::string(kCommand));
    const FormatSettings s = FormatSettings::Load(read);
    QCOMPARE((std::vector<int>{s.kugiri, s.kankaku, s.weekkind, s.top, s.sec30}), (std::vector<int>{1, 7, 2, 1, 0}));
    QCOMPARE(read.GetInt("mode", "jidou", 1), 0);
  }
};

}  // namespace orbline

QTEST_GUILESS_MAIN(orbline::ProfileStoreTest)
#include "profile_store_test.moc"
