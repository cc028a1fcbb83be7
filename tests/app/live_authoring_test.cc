// Live authoring: reloading on save in every editor's style and after the folder is replaced, the
// problems list of every file, the editor and the busy cursor under dialogs.
#include <QAbstractButton>
#include <QDir>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTreeWidget>

#include "app/editor_launch.h"
#include "app/format_settings_dialog.h"
#include "app/problems_panel.h"
#include "app/qt_services.h"
#include "app/source_watcher.h"
#include "app/ui_tables.h"
#include "tests/app/app_test.h"

namespace orbline {
namespace {

constexpr int kQuiet = 2 * SourceWatcher::kSettleMs + 100;  // long enough for a reload to have come

// A copy of the sample line in a folder whose name has a blank and Japanese characters.
struct LineCopy {
  LineCopy() { Fill(); }
  void Fill() const {
    QDir().mkpath(folder);
    const QDir sample(QStringLiteral(ORBLINE_SOURCE_DIR "/examples/sample"));
    for (const QString& name : sample.entryList(QDir::Files)) QFile::copy(sample.filePath(name), folder + u'/' + name);
  }
  QString Path(const char* name) const { return folder + u'/' + QLatin1String(name); }
  QByteArray Read(const char* name) const {
    QFile f(Path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Truncates the file and writes it again, as most editors do, or writes a new file and renames it
  // over the old one, as careful editors do.
  void Write(const char* name, const QByteArray& bytes, bool renameOver = false) const {
    QFile inPlace(Path(name));
    QSaveFile renamed(Path(name));
    QFileDevice& file = renameOver ? static_cast<QFileDevice&>(renamed) : inPlace;
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    QVERIFY(renameOver ? renamed.commit() : inPlace.flush());
  }

  QTemporaryDir tmp;
  QString folder = tmp.filePath(QStringLiteral(u"見本 の路線"));
};

}  // namespace

class LiveAuthoringTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpApplication(*qApp); }

  void savesInEveryStyleReloadTheDisplayOnce() {
    LineCopy line;
    WindowFixture f(line.folder);
    f.window->Dispatch(ID_TEST_TIMETABLE);
    f.window->Dispatch(ID_VIEW_MAP2);
    QSignalSpy reloads(f.window.get(), &MainWindow::reloaded);
    const QByteArray data1 = line.Read("data1.txt");

    // Ten saves in place, each within the settle time of the one before, spanning more than it.
    for (int i = 0; i < 10; ++i) {
      line.Write("data1.txt", data1);
      QTest::qWait(35);
    }
    QTRY_COMPARE(reloads.count(), 1);
    QTest::qWait(kQuiet);  // reading the files again is no change
    QCOMPARE(reloads.count(), 1);

    // Renamed over (while something still holds the old file open, so that its watch lives on), and
    // deleted and created again, which only the folder shows: from then on the new file is watched.
    QFile held(line.Path("data1.txt"));
    QVERIFY(held.open(QIODevice::ReadOnly));
    line.Write("data1.txt", data1, true);
    QTRY_COMPARE(reloads.count(), 2);
    line.Write("data1.txt", data1);
    QTRY_COMPARE(reloads.count(), 3);
    QVERIFY(QFile::remove(line.Path("data1.txt")));
    QTRY_COMPARE(reloads.count(), 4);  // a deletion is a change too
    line.Write("data1.txt", data1);
    QTRY_COMPARE(reloads.count(), 5);
    line.Write("data1.txt", data1);
    QTRY_COMPARE(reloads.count(), 6);

    // The timetable listing does not read map.txt.
    const QByteArray map = line.Read("map.txt");
    line.Write("map.txt", map, true);
    line.Write("map.txt", map);
    QTest::qWait(kQuiet);
    QCOMPARE(reloads.count(), 6);

    // A reload keeps the display and page and shows no box.
    QCOMPARE(f.window->view()->state().displayMode, 7);
    QCOMPARE(f.window->view()->state().eria, 2);
    QVERIFY(f.messages.messages().empty());

    // Under a modal box the reload waits until the box is closed.
    QMessageBox box;
    int reloadsUnderBox = -1;
    QTimer::singleShot(0, &box, [&] {
      line.Write("data1.txt", data1);
      QTest::qWait(kQuiet);
      reloadsUnderBox = static_cast<int>(reloads.count());
      box.accept();
    });
    box.exec();
    QCOMPARE(reloadsUnderBox, 6);
    QTRY_COMPARE(reloads.count(), 7);

    // Turned off, nothing reloads, and the choice reaches the profile at the end; turned on again, the
    // display catches up with the save.
    f.window->Dispatch(ID_VIEW_AUTO_RELOAD);
    QVERIFY(!f.window->action(ID_VIEW_AUTO_RELOAD)->isChecked());
    line.Write("data1.txt", data1);
    QTest::qWait(kQuiet);
    QCOMPARE(reloads.count(), 7);
    f.window->SaveSettings();
    QCOMPARE(f.profile.GetInt("mode", "jidou", -1), 0);
    f.window->Dispatch(ID_VIEW_AUTO_RELOAD);
    QTRY_COMPARE(reloads.count(), 8);
  }

  // A checkout or an unzip replaces the folder: deleted and made again, or renamed away and back,
  // it is followed again.
  void savesAreFollowedAfterTheFolderIsReplaced() {
    LineCopy line;
    WindowFixture f(line.folder);
    f.window->Dispatch(ID_TEST_TIMETABLE);
    QSignalSpy reloads(f.window.get(), &MainWindow::reloaded);
    const QByteArray data1 = line.Read("data1.txt");
    QVERIFY(QDir(line.folder).removeRecursively());
    line.Fill();
    QTRY_VERIFY(!reloads.isEmpty());
    QTest::qWait(kQuiet);
    const auto seen = reloads.count();
    QVERIFY(QFile::remove(line.Path("data1.txt")));
    QTRY_COMPARE(reloads.count(), seen + 1);
    // A file that comes while only the folder is watched.
    const QString away = line.folder + QStringLiteral("~");
    QVERIFY(QDir().rename(line.folder, away) && QDir().rename(away, line.folder));
    line.Write("data1.txt", data1);
    QTRY_COMPARE(reloads.count(), seen + 2);
  }

  // The list is right from the start and follows every file and the settings; only the display's own
  // files reload it, and the row the author is on stays on its finding.
  void problemsOfEveryFileListedFromTheStartAndOpenedInTheEditor() {
    LineCopy line;
    // A ratio of 150 % in eki.txt (line 7, was 33), which the timetable listing does not read.
    const QByteArray eki = line.Read("eki.txt"), data1 = line.Read("data1.txt"), kinds = line.Read("kind.txt");
    line.Write("eki.txt", QByteArray(eki).replace("\t86\t33\t", "\t86\t150\t"));
    WindowFixture f(line.folder);
    f.window->show();
    QSignalSpy reloads(f.window.get(), &MainWindow::reloaded);
    ProblemsPanel* problems = f.window->problems();
    QTreeWidget* list = problems->list();
    const auto rows = [list] {  // file:line code
      QStringList rows;
      for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows << item->text(1) + u':' + item->text(2) + u' ' + item->text(3);
      }
      return rows.join(u' ');
    };
    QTRY_COMPARE(rows(), QStringLiteral("eki.txt:7 43"));  // with no command yet
    QVERIFY(list->viewport()->height() >= 8 * list->visualItemRect(list->topLevelItem(0)).height());
    QSignalSpy checks(f.window.get(), &MainWindow::problemsChecked);
    f.window->Dispatch(ID_TEST_TIMETABLE);
    QTRY_COMPARE(checks.count(), 1);  // before the save, which it must not see

    // A train kind of 99 in data1.txt (line 6), which the listing reads.
    const int kind = data1.indexOf("\n1\t1\t2\t0\t0\t1\t12\t6\t30\t") + 1;
    line.Write("data1.txt", QByteArray(data1).replace(kind, 1, "99"), true);
    QTRY_COMPARE(rows(), QStringLiteral("eki.txt:7 43 data1.txt:6 63"));
    QCOMPARE(reloads.count(), 1);
    // A colour of 300 in kind.txt, which it does not read: the list alone.
    list->setCurrentItem(list->topLevelItem(1));
    line.Write("kind.txt", QByteArray(kinds).replace("255\t128\t", "300\t128\t"));
    QTRY_COMPARE(rows(), QStringLiteral("kind.txt:2 86 eki.txt:7 43 data1.txt:6 63"));
    QCOMPARE(list->currentItem(), list->topLevelItem(2));
    QCOMPARE(reloads.count(), 1);
    QVERIFY(!problems->isHidden());
    QVERIFY(f.window->statusPane(0)->text().contains(ProblemsText().count.arg(2).arg(1)));
    QVERIFY(f.messages.messages().empty());

    // Chosen, a row's train is framed; Enter on it hands its file and line to the editor, the path as
    // one argument.
    QTemporaryDir tools;
    f.window->SetEditorCommand(QStringLiteral("ln -s {file} \"%1/at{line}\"").arg(tools.path()));
    list->setCurrentItem(list->topLevelItem(2));
    QCOMPARE(f.window->view()->MarkedFrames().size(), size_t(1));  // the train is framed in the listing
    f.window->Dispatch(ID_VIEW_PROBLEMS);
    QVERIFY(f.window->view()->MarkedFrames().empty());  // while the list is hidden
    f.window->Dispatch(ID_VIEW_PROBLEMS);
    QCOMPARE(f.window->view()->MarkedFrames().size(), size_t(1));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE(QFileInfo(tools.filePath(QStringLiteral("at6"))).symLinkTarget(), line.Path("data1.txt"));
    f.window->SaveSettings();
    QCOMPARE(QString::fromStdString(f.profile.GetText("editor", "command", {})), f.window->editorCommand());

    // Without {file} the path comes last; line 0 is the first.
    QCOMPARE(EditorCallFor(QStringLiteral("gedit +{line}"), QStringLiteral("/x y"), 0).arguments,
             QStringList({QStringLiteral("+1"), QStringLiteral("/x y")}));

    // Mended, the list is empty and goes away.
    for (const auto& [name, bytes] : {std::pair("eki.txt", eki), {"data1.txt", data1}, {"kind.txt", kinds}})
      line.Write(name, bytes);
    QTRY_COMPARE(list->topLevelItemCount(), 0);
    QVERIFY(problems->isHidden());
    QCOMPARE(f.window->statusPane(0)->text(), IdleText());

    // Read comma-separated, the line is all faults, without a key pressed.
    QTimer::singleShot(0, this, [] {
      auto* dialog = qobject_cast<FormatSettingsDialog*>(QApplication::activeModalWidget());
      qobject_cast<QAbstractButton*>(dialog->control(FormatSettingsDialog::kIdKugiriFirst + 1))->click();
      dialog->accept();
    });
    f.window->Dispatch(ID_FILE_SETTINGS);
    QTRY_VERIFY(list->topLevelItemCount() > 0);
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

}  // namespace orbline

QTEST_MAIN(orbline::LiveAuthoringTest)

#include "live_authoring_test.moc"
