// Live authoring: reloading on save in every editor's style, the problems list, the editor and
// the busy cursor under dialogs.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

#include "app/command_ids.h"
#include "app/editor_launch.h"
#include "app/orbline_view.h"
#include "app/problems_panel.h"
#include "app/qt_services.h"
#include "app/source_watcher.h"
#include "app/ui_tables.h"
#include "tests/app/app_test.h"
#include "tests/app/window_fixture.h"

namespace orbline {
namespace {

constexpr int kQuiet = 2 * SourceWatcher::kSettleMs + 100;  // long enough for a reload to have come

// A copy of the sample line in a folder whose name has a blank and Japanese characters.
struct LineCopy {
  LineCopy() : folder(tmp.filePath(QStringLiteral(u"見本 の路線"))) {
    QDir().mkpath(folder);
    const QDir sample(QStringLiteral(ORBLINE_SOURCE_DIR "/examples/sample"));
    for (const QString& name : sample.entryList(QDir::Files)) QFile::copy(sample.filePath(name), Path(name));
  }
  QString Path(const QString& name) const { return QDir(folder).filePath(name); }
  std::string Folder() const { return QFile::encodeName(folder).toStdString(); }
  QByteArray Read(const QString& name) const {
    QFile f(Path(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
  // Truncates the file and writes it again, as most editors do.
  void WriteInPlace(const QString& name, const QByteArray& bytes) const {
    QFile f(Path(name));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  // Writes a new file and renames it over the old one, as careful editors do.
  void WriteAndRename(const QString& name, const QByteArray& bytes) const {
    WriteInPlace(name + QStringLiteral(".new~"), bytes);
    QCOMPARE(std::rename(QFile::encodeName(Path(name + QStringLiteral(".new~"))).constData(),
                         QFile::encodeName(Path(name)).constData()),
             0);
  }
  // `file` with field `field` (0-based) of line `line` (1-based) replaced.
  QByteArray WithField(const QString& name, int line, int field, const QByteArray& value) const {
    QList<QByteArray> lines = Read(name).split('\n');
    QList<QByteArray> fields = lines[line - 1].split('\t');
    fields[field] = value;
    lines[line - 1] = fields.join('\t');
    return lines.join('\n');
  }

  QTemporaryDir tmp;
  QString folder;
};

}  // namespace

class LiveAuthoringTest : public QObject {
  Q_OBJECT

 private slots:
  void savesInEveryStyleReloadTheDisplayOnce() {
    LineCopy line;
    WindowFixture f(line.Folder());
    f.window->Dispatch(ID_TEST_TIMETABLE);
    f.window->Dispatch(ID_VIEW_MAP2);
    QSignalSpy reloads(f.window.get(), &MainWindow::reloaded);
    const QByteArray data1 = line.Read(QStringLiteral("data1.txt"));

    // Ten saves in place, each within the settle time of the one before, spanning more than it.
    for (int i = 0; i < 10; ++i) {
      line.WriteInPlace(QStringLiteral("data1.txt"), data1);
      QTest::qWait(35);
    }
    QTRY_COMPARE(reloads.count(), 1);
    QTest::qWait(kQuiet);  // reading the files again is no change
    QCOMPARE(reloads.count(), 1);

    // Renamed over (while something still holds the old file open, so that its watch lives on), and
    // deleted and created again: from then on the new file is watched.
    QFile held(line.Path(QStringLiteral("data1.txt")));
    QVERIFY(held.open(QIODevice::ReadOnly));
    line.WriteAndRename(QStringLiteral("data1.txt"), data1);
    QTRY_COMPARE(reloads.count(), 2);
    line.WriteInPlace(QStringLiteral("data1.txt"), data1);
    QTRY_COMPARE(reloads.count(), 3);
    QVERIFY(QFile::remove(line.Path(QStringLiteral("data1.txt"))));
    QTest::qWait(50);
    line.WriteInPlace(QStringLiteral("data1.txt"), data1);
    QTRY_COMPARE(reloads.count(), 4);
    line.WriteInPlace(QStringLiteral("data1.txt"), data1);
    QTRY_COMPARE(reloads.count(), 5);

    // The timetable listing does not read map.txt.
    const QByteArray map = line.Read(QStringLiteral("map.txt"));
    line.WriteAndRename(QStringLiteral("map.txt"), map);
    line.WriteInPlace(QStringLiteral("map.txt"), map);
    QTest::qWait(kQuiet);
    QCOMPARE(reloads.count(), 5);

    // A reload keeps the display and page and shows no box.
    QCOMPARE(f.window->view()->state().displayMode, 7);
    QCOMPARE(f.window->view()->state().eria, 2);
    QVERIFY(f.messages.messages().empty());

    // Under a modal box the reload waits until the box is closed.
    QMessageBox box;
    int reloadsUnderBox = -1;
    QTimer::singleShot(0, &box, [&] {
      line.WriteInPlace(QStringLiteral("data1.txt"), data1);
      QTest::qWait(kQuiet);
      reloadsUnderBox = static_cast<int>(reloads.count());
      box.accept();
    });
    box.exec();
    QCOMPARE(reloadsUnderBox, 5);
    QTRY_COMPARE(reloads.count(), 6);

    // Turned off, nothing reloads, and the choice reaches the profile at the end.
    f.window->Dispatch(ID_VIEW_AUTO_RELOAD);
    QVERIFY(!f.window->action(ID_VIEW_AUTO_RELOAD)->isChecked());
    line.WriteInPlace(QStringLiteral("data1.txt"), data1);
    QTest::qWait(kQuiet);
    QCOMPARE(reloads.count(), 6);
    f.window->SaveSettings();
    QCOMPARE(f.profile.GetInt("mode", "jidou", -1), 0);
  }

  void problemsOfTwoFilesListedAfterAReloadAndOpenedInTheEditor() {
    LineCopy line;
    WindowFixture f(line.Folder());
    QSignalSpy checks(f.window.get(), &MainWindow::problemsChecked);
    QSignalSpy reloads(f.window.get(), &MainWindow::reloaded);
    ProblemsPanel* problems = f.window->problems();
    QTreeWidget* list = problems->list();
    f.window->Dispatch(ID_TEST_TIMETABLE);
    QTRY_COMPARE(checks.count(), 1);
    QCOMPARE(list->topLevelItemCount(), 0);
    QVERIFY(problems->isHidden());

    // A ratio of 150 % in eki.txt, which the listing does not read, and a train kind of 99.
    const QByteArray eki = line.Read(QStringLiteral("eki.txt"));
    const QByteArray data1 = line.Read(QStringLiteral("data1.txt"));
    line.WriteInPlace(QStringLiteral("eki.txt"), line.WithField(QStringLiteral("eki.txt"), 7, 10, "150"));
    line.WriteAndRename(QStringLiteral("data1.txt"), line.WithField(QStringLiteral("data1.txt"), 6, 0, "99"));
    QTRY_COMPARE(reloads.count(), 1);
    QTRY_COMPARE(checks.count(), 2);
    QCOMPARE(list->topLevelItemCount(), 2);
    const auto placeAndCode = [list](int row) {
      const QTreeWidgetItem* item = list->topLevelItem(row);
      return item->text(1) + QLatin1Char(':') + item->text(2) + QLatin1Char(' ') + item->text(3);
    };
    QCOMPARE(placeAndCode(0), QStringLiteral("eki.txt:7 43"));
    QCOMPARE(placeAndCode(1), QStringLiteral("data1.txt:6 63"));
    QVERIFY(!problems->isHidden());
    QVERIFY(f.window->statusPane(0)->text().contains(ProblemsText().count.arg(2).arg(0)));
    QVERIFY(f.messages.messages().empty());

    // Enter on a row hands its file and line to the editor, the path as one argument.
    QTemporaryDir tools;
    const QString record = tools.filePath(QStringLiteral("args"));
    const QString editor = tools.filePath(QStringLiteral("editor"));
    {
      QFile script(editor);
      QVERIFY(script.open(QIODevice::WriteOnly));
      script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >\"$0.part\" && mv \"$0.part\" \"" +
                   QFile::encodeName(record) + "\"\n");
      script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    f.window->SetEditorCommand(QLatin1Char('"') + editor + QStringLiteral("\" --line {line} {file}"));
    list->setCurrentItem(list->topLevelItem(1));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(QFile::exists(record));
    QFile args(record);
    QVERIFY(args.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(args.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             QStringList({QStringLiteral("--line"), QStringLiteral("6"), line.Path(QStringLiteral("data1.txt"))}));
    f.window->SaveSettings();
    QCOMPARE(QString::fromStdString(f.profile.GetText("editor", "command", {})), f.window->editorCommand());

    // Words are cut before the placeholders are filled in; without {file} the path comes last.
    const EditorCall code = EditorCallFor(QStringLiteral("\"my editor\" -g {file}:{line}"), QStringLiteral(u"/a b/駅.txt"), 0);
    QCOMPARE(code.program, QStringLiteral("my editor"));
    QCOMPARE(code.arguments, QStringList({QStringLiteral("-g"), QStringLiteral(u"/a b/駅.txt:1")}));
    QCOMPARE(EditorCallFor(QStringLiteral("gedit +{line}"), QStringLiteral("/x y"), 3).arguments,
             QStringList({QStringLiteral("+3"), QStringLiteral("/x y")}));

    // Mended, the list is empty and goes away.
    line.WriteInPlace(QStringLiteral("eki.txt"), eki);
    line.WriteInPlace(QStringLiteral("data1.txt"), data1);
    QTRY_COMPARE(reloads.count(), 2);
    QTRY_COMPARE(checks.count(), 3);
    QCOMPARE(list->topLevelItemCount(), 0);
    QVERIFY(problems->isHidden());
    QCOMPARE(f.window->statusPane(0)->text(), IdleText());
  }

  void busyCursorGivesWayToADialogAndStillNests() {
    QtWaitCursor cursor;
    const auto shape = [] { return QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1; };
    cursor.Begin();
    cursor.Begin();
    QCOMPARE(shape(), Qt::WaitCursor);
    QMessageBox box;
    int underBox = 0;
    QTimer::singleShot(0, &box, [&] {
      underBox = shape();
      box.accept();
    });
    box.exec();
    QCOMPARE(underBox, -1);
    QCOMPARE(shape(), Qt::WaitCursor);
    cursor.End();
    QCOMPARE(shape(), Qt::WaitCursor);
    cursor.End();
    QCOMPARE(shape(), -1);
  }
};

ORBLINE_APP_TEST(LiveAuthoringTest);

}  // namespace orbline

#include "live_authoring_test.moc"
