// The window's profile as QSettings writes it is what orblinec reads without Qt; the file
// tests/cases/qsettings-profile.ini, which the unit tests read on every system, is what it writes.
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "document/format_settings.h"
#include "platform/command_words.h"
#include "platform/ini_profile_store.h"
#include "platform/qt/qsettings_profile_store.h"

namespace orbline {

// An editor command with a Windows path, blanks, a comma and Japanese.
constexpr char kCommand[] = R"("C:\Program Files (x86)\秀丸エディタ\Hidemaru.exe" /j{line},1 "{file}")";

class ProfileStoreTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowWritesTheFileOrblinecIsTestedOn() {
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
    QCOMPARE(written.readAll(), fixture.readAll());  // which ProfileTest reads
  }

  // orblinec serve saves the settings form into the window's profile: QSettings reads back what it
  // wrote, and every other key as it was.
  void theWindowReadsWhatOrblinecWrote() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orbline.ini"));
    const QVariant others[] = {QStringLiteral(" a, b; c=d "), QStringList{QStringLiteral("x"), QStringLiteral("y")},
                               QStringLiteral("@at"), 42, QStringLiteral("tab\t\x01") + QStringLiteral("7\\\"")};
    {
      QSettings window(path, QSettings::IniFormat);
      for (size_t i = 0; i < std::size(others); ++i) window.setValue(QStringLiteral("other/k%1").arg(i), others[i]);
      window.setValue(QStringLiteral("data/kugiri"), 2);
      window.setValue(QStringLiteral("mode/mode"), 5);
    }
    QVariantList before;
    for (size_t i = 0; i < std::size(others); ++i)
      before.append(QSettings(path, QSettings::IniFormat).value(QStringLiteral("other/k%1").arg(i)));
    const std::string commands[] = {kCommand, " \"q\" ; x=\\y ", "@{file}\t{line}", "秀丸"};
    for (const std::string& command : commands) {
      IniProfileStore profile(QFile::encodeName(path).toStdString());
      FormatSettings settings = FormatSettings::Load(profile);
      settings.kankaku = 12;
      settings.Save(profile);
      profile.WriteText("editor", "command", command);
      std::string err;
      QVERIFY2(profile.Save(&err), err.c_str());
      QSettings window(path, QSettings::IniFormat);
      QCOMPARE(window.value(QStringLiteral("editor/command")).toString(), QString::fromStdString(command));
      QCOMPARE(window.value(QStringLiteral("data/kugiri")).toInt(), 2);
      QCOMPARE(window.value(QStringLiteral("data/kankaku")).toInt(), 12);
      QCOMPARE(window.value(QStringLiteral("mode/mode")).toInt(), 5);
      for (size_t i = 0; i < std::size(others); ++i)
        QCOMPARE(window.value(QStringLiteral("other/k%1").arg(i)), before[static_cast<int>(i)]);
    }
  }

  // The window's editor command is cut as it was before the Qt-free splitter, by QProcess's rules.
  void editorCommandCutAsQtCutIt() {
    const char* lines[] = {"gvim --remote-silent +{line} {file}",
                           "\"C:\\a b\\x.exe\" -n{line} \"{file}\"",
                           "ed \"\"\"x\"\"\" \"a\"\"b\" \"\" a\\\"b \"c d\\\\\" e",
                           "秀丸\u3000/j \"ファイル 名\"\t\u00a0z",
                           "x \"unclosed y",
                           "\"\"\" \"\" \"\"\"\""};
    for (const char* line : lines) {
      QStringList ours;
      for (const std::string& word : SplitCommandLine(line, CommandSyntax::kQuoted))
        ours.append(QString::fromStdString(word));
      QCOMPARE(ours, QProcess::splitCommand(QString::fromUtf8(line)));
    }
  }
};

}  // namespace orbline

QTEST_GUILESS_MAIN(orbline::ProfileStoreTest)
#include "profile_store_test.moc"
