// The main window: its tables, commands, status panes and what reaches the profile.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <QToolBar>

#include <csignal>
#include <memory>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/orbline_view.h"
#include "app/termination.h"
#include "app/ui_tables.h"
#include "platform/sjis.h"
#include "tests/app/app_test.h"
#include "tests/app/window_fixture.h"

namespace orbline {

class MainWindowTest : public QObject {
  Q_OBJECT

  using Fixture = WindowFixture;

  static QString Decode(const std::string& sjis) { return QString::fromUtf8(SjisToUtf8(sjis)); }

 private slots:
  void newMenuItemsComeAfterTheSpecifiedOnes() {
    Fixture f;
    const QList<QAction*> popups = f.window->menuBar()->actions();
    const QList<QAction*> file = popups[0]->menu()->actions(), view = popups[2]->menu()->actions();
    QCOMPARE(file[7]->data().toInt(), int(ID_APP_EXIT));
    QCOMPARE(file.last()->data().toInt(), int(ID_FILE_EDITOR));
    QCOMPARE(view[15]->data().toInt(), int(ID_VIEW_MAP12));
    QCOMPARE(view.last()->data().toInt(), int(ID_VIEW_AUTO_RELOAD));
  }

  void keysRunTheirCommands() {
    Fixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QTest::keyClick(f.window.get(), Qt::Key_F4);
    QCOMPARE(f.window->view()->state().displayMode, 3);
    QCOMPARE(Decode(f.doc->stationTexts[0][station::kName]), QStringLiteral(u"汐凪港"));
    // Shift+F4 is page 4 although its id comes after pages 5..8.
    QTest::keyClick(f.window.get(), Qt::Key_F4, Qt::ShiftModifier);
    QCOMPARE(f.window->view()->state().eria, 4);
    QVERIFY(f.window->action(ID_VIEW_MAP4)->isChecked());
    QVERIFY(!f.window->action(ID_VIEW_MAP1)->isChecked());
    // Ctrl+P does nothing.
    QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(f.messages.messages().empty());
  }

  void statusBarPanes() {
    Fixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QCOMPARE(f.window->statusPane(0)->text(), QStringLiteral(u"ﾚﾃﾞｨ"));
    f.window->Dispatch(ID_TEST_DIAGRAM);
    QTRY_COMPARE(f.window->statusPane(1)->text(), QStringLiteral(u"平日ダイヤ 6時から12時"));
    f.window->Dispatch(ID_TEST_KIND);
    QTRY_COMPARE(f.window->statusPane(1)->text(), QString());
    // Hidden, the status bar's pane still gets its text.
    f.window->Dispatch(ID_VIEW_STATUS_BAR);
    QVERIFY(!f.window->action(ID_VIEW_STATUS_BAR)->isChecked());
    f.window->Dispatch(ID_TEST_TIMETABLE);
    QTRY_COMPARE(f.window->statusPane(1)->text(), QStringLiteral(u"最大計算駅No：22"));
    f.window->Dispatch(ID_VIEW_TOOLBAR);
    QVERIFY(!f.window->action(ID_VIEW_TOOLBAR)->isChecked());
  }

  void clickShowsCoordinatesInMapModesOnly() {
    Fixture f;
    f.window->resize(1200, 700);  // wide enough that the last column is logical 999
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    OrblineView* view = f.window->view();
    f.window->Dispatch(ID_TEST_EKI);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() - 1, 10));
    QVERIFY(f.messages.messages().empty());
    f.window->Dispatch(ID_TEST_ROUTEMAP);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() - 1, 0));
    QCOMPARE(f.messages.messages().size(), size_t(1));
    const auto& m = f.messages.messages()[0];
    QCOMPARE(m.icon, MessageIcon::kInformation);
    QCOMPARE(Decode(m.text), QStringLiteral(u"(x,y)=(999,0)≒(1000,0)"));
  }

  void compileBoxes() {
    QTemporaryDir out;
    Fixture f;
    f.window->Dispatch(ID_TEST_KIND);
    f.prompt.SetCancel();
    f.window->Dispatch(ID_FILE_COMPILE);
    QCOMPARE(f.messages.messages().size(), size_t(1));
    QCOMPARE(Decode(f.messages.messages()[0].text), QStringLiteral(u"コンパイルに失敗しました。"));
    QCOMPARE(Decode(f.messages.messages()[0].caption), QStringLiteral(u"コンパイル"));
    QCOMPARE(f.window->view()->state().displayMode, 2);  // compiling leaves the display
    f.messages.Clear();
    f.prompt.SetPath(QFile::encodeName(out.filePath(QStringLiteral("line.zkf"))).toStdString());
    f.window->Dispatch(ID_FILE_COMPILE);
    QVERIFY(f.messages.messages().empty());
    QVERIFY(QFileInfo(out.filePath(QStringLiteral("line.zkf"))).size() > 1000);
  }

  void aFailingReaderShowsItsBoxAndStillRepaints() {
    QTemporaryDir empty;
    Fixture f(QFile::encodeName(empty.path()).toStdString());
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QSignalSpy painted(f.window->view(), &OrblineView::statusText);
    f.window->Dispatch(ID_TEST_TIMETABLE);
    QCOMPARE(f.messages.messages().size(), size_t(1));
    QVERIFY(f.messages.messages()[0].text.starts_with("error 61\n\n"));
    QTRY_VERIFY(painted.count() >= 1);
    QCOMPARE(f.window->statusPane(1)->text(), QStringLiteral(u"最大計算駅No：0"));
  }

  void viewStateReachesTheProfileAtExit() {
    MemoryProfileStore* profile;
    Fixture f;
    profile = &f.profile;
    f.profile.WriteInt("mode", "mode", 9);  // read when the view is made: too late for this one
    f.window->Dispatch(ID_TEST_BIRDSEYE);
    f.window->Dispatch(ID_VIEW_MAP12);
    f.window->Dispatch(ID_VIEW_GRID);
    QVERIFY(!f.window->action(ID_VIEW_GRID)->isChecked());
    QVERIFY(!f.profile.Has("mode", "eria"));  // nothing is written before the end
    f.window->SaveSettings();
    f.window.reset();
    QCOMPARE(profile->GetInt("mode", "mode", -1), 4);
    QCOMPARE(profile->GetInt("mode", "eria", -1), 12);
    QCOMPARE(profile->GetInt("mode", "grid", -1), 0);
    // The next window starts where this one ended; a grid of 5 shows checked.
    profile->WriteInt("mode", "grid", 5);
    f.window = std::make_unique<MainWindow>(*f.doc, f.profile, f.services);
    QCOMPARE(f.window->view()->state().displayMode, 4);
    QVERIFY(f.window->action(ID_VIEW_MAP12)->isChecked());
    QVERIFY(f.window->action(ID_VIEW_GRID)->isChecked());
  }

  void printoutFillsThePrintableWidth() {
    QTemporaryDir out;
    Fixture f;
    f.window->Dispatch(ID_TEST_BIRDSEYE);  // a page filled with its background colour
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out.filePath(QStringLiteral("page.pdf")));
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    f.window->view()->Print(printer);
    QVERIFY(QFileInfo(out.filePath(QStringLiteral("page.pdf"))).size() > 1000);
    // The same drawing into a row and a column through the middle of the printable area.
    const QSize area = printer.pageRect(QPrinter::DevicePixel).size().toSize();
    auto strip = [&](const QRect& r) {
      QImage img(r.size(), QImage::Format_RGB32);
      img.fill(Qt::white);
      QPainter painter(&img);
      painter.translate(-r.topLeft());
      f.window->view()->DrawFitted(painter, area);
      painter.end();
      int first = -1, last = -1;
      for (int i = 0; i < std::max(r.width(), r.height()); ++i) {
        if (img.pixel(r.width() > 1 ? i : 0, r.height() > 1 ? i : 0) == qRgb(255, 255, 255)) continue;
        if (first < 0) first = i;
        last = i;
      }
      return std::pair(first, last);
    };
    const auto [left, right] = strip(QRect(0, area.height() / 2, area.width(), 1));
    const auto [top, bottom] = strip(QRect(area.width() / 2, 0, 1, area.height()));
    QVERIFY2(left <= 2 && right >= area.width() - 3, qPrintable(QStringLiteral("%1..%2 of %3").arg(left).arg(right).arg(area.width())));
    // The whole page, at its proportion, centred.
    QVERIFY2(std::abs((bottom - top + 1) - area.width() * 3 / 4) <= 3 && std::abs(top - (area.height() - 1 - bottom)) <= 3,
             qPrintable(QStringLiteral("%1..%2 of %3").arg(top).arg(bottom).arg(area.height())));
  }

  void terminationSignalsEndTheProgramNormally() {
    int calls = 0;
    HandleTerminationSignals([&calls] { ++calls; });
    ::raise(SIGTERM);
    QTRY_COMPARE(calls, 1);
  }

  void qtsOwnDialogsSpeakJapanese() {
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral(u"キャンセル"));
  }

  void captionAndTitle() {
    Fixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Zelkor Maker"));
    // What the window system shows, nothing added.
    QCOMPARE(f.window->windowHandle()->title(), QStringLiteral("Zelkor Maker"));
    QCOMPARE(ApplicationTitle(), QStringLiteral("Orbline"));
  }
};

ORBLINE_APP_TEST(MainWindowTest);

}  // namespace orbline

#include "main_window_test.moc"
