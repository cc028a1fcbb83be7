// The main window: its keys and commands, status panes, clicks, printout and what reaches the profile.
#include <QContextMenuEvent>
#include <QMenu>
#include <QPrinter>
#include <QSignalSpy>

#include <csignal>

#include "app/termination.h"
#include "app/ui_tables.h"
#include "tests/app/app_test.h"
#include "view/label_pictures.h"

namespace orbline {

class MainWindowTest : public QObject {
  Q_OBJECT

  static QString Decode(const std::string& sjis) { return QString::fromUtf8(SjisToUtf8(sjis)); }
  // What the view draws, on the window's colour.
  static QImage Drawn(OrblineView* view) {
    QImage drawn(view->size(), QImage::Format_RGB32);
    drawn.fill(view->palette().color(QPalette::Base));
    QPainter painter(&drawn);
    view->Draw(painter, drawn.width(), drawn.height());
    painter.end();
    return drawn;
  }

 private slots:
  void initTestCase() { SetUpApplication(*qApp); }

  void keysRunCommandsWhosePanesAndClicksFollow() {
    WindowFixture f;
    f.window->resize(1200, 700);  // wide enough that the last column is logical 999
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    OrblineView* view = f.window->view();
    QTest::keyClick(f.window.get(), Qt::Key_F6);
    QTRY_COMPARE(f.window->statusPane(1)->text(), QStringLiteral(u"平日ダイヤ 6時から12時"));
    QTest::keyClick(f.window.get(), Qt::Key_F3);
    QTRY_COMPARE(f.window->statusPane(1)->text(), QString());
    // Hidden, the status bar's pane still gets its text.
    f.window->Dispatch(ID_VIEW_STATUS_BAR);
    QVERIFY(!f.window->action(ID_VIEW_STATUS_BAR)->isChecked());
    QTest::keyClick(f.window.get(), Qt::Key_F8);
    QTRY_COMPARE(f.window->statusPane(1)->text(), QStringLiteral(u"最大計算駅No：22"));
    f.window->Dispatch(ID_VIEW_TOOLBAR);
    QVERIFY(!f.window->action(ID_VIEW_TOOLBAR)->isChecked());

    QTest::keyClick(f.window.get(), Qt::Key_F4);
    QCOMPARE(view->state().displayMode, 3);
    QCOMPARE(Decode(f.doc->stations[0].name), QStringLiteral(u"汐凪港"));
    // Shift+F4 is page 4 although its id comes after pages 5..8; Ctrl+P does nothing.
    QTest::keyClick(f.window.get(), Qt::Key_F4, Qt::ShiftModifier);
    QCOMPARE(view->state().eria, 4);
    QVERIFY(f.window->action(ID_VIEW_MAP4)->isChecked() && !f.window->action(ID_VIEW_MAP1)->isChecked());
    QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
    // Outside the map modes a click shows no box.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() - 1, 10));
    QVERIFY(f.messages.messages().empty());
    QTest::keyClick(f.window.get(), Qt::Key_F7);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() - 1, 0));
    QCOMPARE(f.messages.messages().size(), size_t(1));
    QCOMPARE(Decode(f.messages.messages()[0].text), QStringLiteral(u"(x,y)=(999,0)≒(1000,0)"));
  }

  // The view shows the display on the window's colour, underlines under their labels however far
  // down the window the view lies; its repaints put labels down from pictures.
  void theViewShowsTheDrawingAndRepaintsFromPictures() {
    WindowFixture f;
    f.window->resize(900, 700);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.window->Dispatch(ID_TEST_ROUTEMAP);  // the sample's first page has an underlined title
    OrblineView* view = f.window->view();
    const QRect area(view->mapTo(f.window.get(), QPoint(0, 0)), view->size());
    QVERIFY(area.top() > 20);  // below the menus
    f.window->grab();          // Qt places a face's first glyphs a little differently until it has drawn some
    LabelPictures::Get().Clear();
    f.window->grab();
    f.window->grab();
    QVERIFY(LabelPictures::Get().Bytes() > 0);
    const QImage shown = f.window->grab().toImage().copy(area).convertToFormat(QImage::Format_RGB32);
    const QImage drawn = Drawn(view);
    QCOMPARE(shown, drawn);
  }

  // The pointer's pane names the row under it; a double click in a listing and the context menu
  // anywhere open it, a click keeps its box; a marked row is framed on the screen, not in a print.
  void theRowUnderThePointerShowsOpensAndIsFramed() {
    WindowFixture f;
    f.window->SetEditorCommand(QStringLiteral("true"));
    f.window->resize(1000, 800);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    OrblineView* view = f.window->view();
    QSignalSpy opened(view, &OrblineView::openRequested);
    const auto at = [view](int x, int y) { return QPoint(x * view->width() / 1000, y * view->height() / 750); };
    const auto lastOpened = [&] { return opened.last()[0].toString() + u':' + opened.last()[1].toString(); };
    // Station 4 between its texts; the second train of Sunday, read from data2.txt after its header.
    f.window->Dispatch(ID_TEST_EKI);
    QTest::mouseDClick(view, Qt::LeftButton, {}, at(300, 155));
    QCOMPARE(lastOpened(), QStringLiteral("eki.txt:4"));
    f.window->Dispatch(ID_TEST_TIMETABLE);
    QTest::mouseDClick(view, Qt::LeftButton, {}, at(100, 568));
    QCOMPARE(lastOpened(), QStringLiteral("data2.txt:3"));

    f.window->Dispatch(ID_TEST_BIRDSEYE);
    const QPoint label = at(590, 340);  // 萩ノ森, line 57
    QTest::mouseMove(view, label);
    QTRY_VERIFY(f.window->statusPane(2)->text().endsWith(QStringLiteral(u")  map.txt:57  44 ラベル 萩ノ森")));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, label);
    QCOMPARE(f.messages.messages().size(), size_t(1));  // the coordinate box
    QTimer::singleShot(0, [] {
      auto* popup = static_cast<QMenu*>(QApplication::activePopupWidget());
      popup->setActiveAction(popup->actions()[0]);
      QTest::keyClick(popup, Qt::Key_Return);
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, label, view->mapToGlobal(label));
    QApplication::sendEvent(view, &menu);
    QCOMPARE(lastOpened(), QStringLiteral("map.txt:57"));
    QCOMPARE(opened.count(), 3);

    const auto printed = [view] {
      QImage image(400, 300, QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      view->DrawFitted(painter, image.size());
      return image;
    };
    const QImage unmarked = printed();
    view->MarkRow(QStringLiteral("map.txt"), 57);
    QCOMPARE(view->MarkedFrames().size(), size_t(1));
    const QRect frame = view->MarkedFrames()[0].toAlignedRect();
    QVERIFY(frame.contains(label) && frame.width() < view->width() / 10);
    QCOMPARE(printed(), unmarked);
    const QImage drawn = Drawn(view);
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int changed = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x)
        if (shown.pixel(x, y) != drawn.pixel(x, y))
          changed += frame.adjusted(-1, -1, 1, 1).contains(x, y) ? 1 : 1000000;
    QVERIFY2(changed > 0 && changed < 1000000, qPrintable(QString::number(changed)));
  }

  // Too narrow for the station listing's columns, the view scrolls rather than running them
  // together; a drawing still fits the window. A title too long for pane 1 shows whole as its tip.
  void aNarrowWindowKeepsColumnsApartAndTitlesWhole() {
    WindowFixture f;
    f.window->resize(400, 600);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.window->Dispatch(ID_TEST_EKI);
    OrblineView* view = f.window->view();
    QTRY_VERIFY(view->width() > f.window->centralWidget()->width());
    // The first row: the black number, the blue links, the black values and name.
    const QImage image = view->grab().toImage();
    QList<int> black, blue;  // columns with ink of each colour
    for (int x = 0; x < image.width(); ++x)
      for (int y = 0; y < 14; ++y) {
        const QColor c = image.pixelColor(x, y);
        if (c.blue() - c.red() > 60) blue << x;
        if (std::max({c.red(), c.green(), c.blue()}) < 160 && std::abs(c.blue() - c.red()) < 40) black << x;
      }
    QVERIFY(!blue.isEmpty());
    const auto blackIn = [&](int from, int to) {
      return std::count_if(black.begin(), black.end(), [&](int x) { return x >= from && x <= to; });
    };
    QCOMPARE(blackIn(blue.first() - 2, blue.last() + 2), 0);
    QVERIFY(blackIn(0, blue.first()) > 0 && blackIn(blue.last(), image.width()) > 0);
    f.window->Dispatch(ID_TEST_BIRDSEYE);
    QTRY_COMPARE(view->width(), f.window->centralWidget()->width());

    QLabel* title = f.window->statusPane(1);
    const QString longTitle(60, u'駅');
    emit view->statusText(longTitle);
    QCOMPARE(title->text() + title->toolTip(), longTitle + longTitle);
    emit view->statusText(QStringLiteral("Map"));
    QCOMPARE(title->toolTip(), QString());
  }

  void compileBoxes() {
    QTemporaryDir out;
    WindowFixture f;
    f.window->Dispatch(ID_TEST_KIND);
    f.prompt.SetPath(QFile::encodeName(out.filePath(QStringLiteral("line.zkf"))).toStdString());
    f.window->Dispatch(ID_FILE_COMPILE);
    QVERIFY(f.messages.messages().empty());  // a good compile shows nothing
    QVERIFY(QFileInfo(out.filePath(QStringLiteral("line.zkf"))).size() > 1000);
    QCOMPARE(f.prompt.lastRequest.defaultExtension, std::string("zkf"));
    QCOMPARE(f.prompt.lastRequest.initialName, std::string());
    // Cancelled: the failure box alone; the next prompt offers the name chosen last, in its folder.
    f.prompt.SetCancel();
    f.window->Dispatch(ID_FILE_COMPILE);
    QCOMPARE(f.prompt.lastRequest.initialName, std::string("line.zkf"));
    QCOMPARE(QFile::decodeName(f.prompt.lastRequest.initialFolder.c_str()), QDir(out.path()).absolutePath());
    QCOMPARE(f.messages.messages().size(), size_t(1));
    const RecordingMessageSink::Message& box = f.messages.messages()[0];
    QCOMPARE(Decode(box.text) + QLatin1Char('|') + Decode(box.caption),
             QStringLiteral(u"コンパイルに失敗しました。|コンパイル"));
    QCOMPARE(box.icon, MessageIcon::kStop);
    QCOMPARE(f.window->view()->state().displayMode, 2);  // compiling leaves the display
    QCOMPARE(f.doc->targetFileName, std::string("line.zkf"));
    // A write that fails: its error box, then the failure box.
    f.messages.Clear();
    f.prompt.SetPath(QFile::encodeName(out.filePath(QStringLiteral("missing/x.zkf"))).toStdString());
    f.window->Dispatch(ID_FILE_COMPILE);
    QCOMPARE(f.messages.messages().size(), size_t(2));
    QVERIFY(f.messages.messages()[0].text.starts_with("error 71\n\n"));
  }

  void aFailingReaderShowsItsBoxAndStillRepaints() {
    QTemporaryDir empty;
    WindowFixture f(empty.path());
    f.window->Dispatch(ID_VIEW_PROBLEMS);  // no list coming up to resize, and so repaint, the view
    QSignalSpy painted(f.window->view(), &OrblineView::statusText);
    f.window->show();
    QTRY_VERIFY(!painted.isEmpty());  // the first drawing, before the command
    f.window->Dispatch(ID_TEST_TIMETABLE);
    QCOMPARE(f.messages.messages().size(), size_t(1));
    QVERIFY(f.messages.messages()[0].text.starts_with("error 61\n\n"));
    QTRY_COMPARE(f.window->statusPane(1)->text(), QStringLiteral(u"最大計算駅No：0"));  // only a drawing sets it
  }

  void viewStateReachesTheProfileAtExitAndIsReadBack() {
    WindowFixture f;
    f.window->Dispatch(ID_TEST_BIRDSEYE);
    f.window->Dispatch(ID_VIEW_MAP12);
    f.window->Dispatch(ID_VIEW_GRID);
    QVERIFY(!f.window->action(ID_VIEW_GRID)->isChecked());
    QVERIFY(!f.profile.Has("mode", "eria"));  // nothing is written before the end
    f.window->SaveSettings();
    QCOMPARE(f.profile.GetInt("mode", "mode", -1), 4);
    QCOMPARE(f.profile.GetInt("mode", "eria", -1), 12);
    QCOMPARE(f.profile.GetInt("mode", "grid", -1), 0);
    // The next window starts where this one ended; a grid of 5 shows checked.
    f.profile.WriteInt("mode", "grid", 5);
    f.window = std::make_unique<MainWindow>(*f.doc, f.profile, f.services);
    QCOMPARE(f.window->view()->state().displayMode, 4);
    QVERIFY(f.window->action(ID_VIEW_MAP12)->isChecked() && f.window->action(ID_VIEW_GRID)->isChecked());
  }

  void printoutFillsThePrintableWidth() {
    QTemporaryDir out;
    WindowFixture f;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(out.filePath(QStringLiteral("page.pdf")));
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    f.window->Dispatch(ID_TEST_EKI);  // a listing, whose face the file then holds
    f.window->view()->Print(printer);
    QVERIFY(QFileInfo(out.filePath(QStringLiteral("page.pdf"))).size() > 10000);
    // A page filled with its background colour, drawn as printed but an eighth of the size: it fills
    // the printable width, at its proportion, centred.
    f.window->Dispatch(ID_TEST_BIRDSEYE);
    const QSize area = printer.pageRect(QPrinter::DevicePixel).size().toSize();
    QImage image(area / 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(0.125, 0.125);
    f.window->view()->DrawFitted(painter, area);
    painter.end();
    const QRect ink = Scan(image, image.rect(), qRgb(255, 255, 255)).second;
    const int height = image.width() * 3 / 4;
    const QRect page(0, (image.height() - height) / 2, image.width(), height);  // to a pixel
    QVERIFY2(page.adjusted(-1, -1, 1, 1).contains(ink) && ink.contains(page.adjusted(1, 1, -1, -1)),
             qPrintable(QString::asprintf("%dx%d at %d,%d", ink.width(), ink.height(), ink.x(), ink.y())));
  }

  // The keys the authors' guide (README.ja.md) lists are the window's own, every one of them.
  void theGuidesKeysAreTheWindows() {
    QFile guide(QStringLiteral(ORBLINE_SOURCE_DIR "/README.ja.md"));
    QVERIFY(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    const qsizetype from = text.indexOf(QStringLiteral("<!-- keys: begin -->")),
                    to = text.indexOf(QStringLiteral("<!-- keys: end -->"));
    QVERIFY(from >= 0 && to > from);
    QSet<QString> listed;
    for (const QString& row : text.mid(from, to - from).split(QLatin1Char('\n'))) {
      const QStringList cells = row.split(QLatin1Char('|'));
      if (cells.size() < 3 || (!cells[1].contains(QLatin1Char('F')) && !cells[1].contains(QLatin1String("Ctrl"))))
        continue;
      const QStringList range = cells[1].trimmed().split(QStringLiteral(u"～"));  // "Shift+F1～Shift+F12"
      const QKeySequence first(range.first()), last(range.last());
      for (int key = first[0].key(); key <= last[0].key(); ++key)
        listed.insert(QKeySequence(first[0].keyboardModifiers() | Qt::Key(key)).toString());
    }
    QSet<QString> window;
    for (const Accelerator& a : AcceleratorTable()) window.insert(a.key.toString());
    QCOMPARE(listed, window);
  }

  void terminationSignalsEndTheProgramNormally() {
    int calls = 0;
    HandleTerminationSignals([&calls] { ++calls; });
    ::raise(SIGTERM);
    QTRY_COMPARE(calls, 1);
  }
};

}  // namespace orbline

QTEST_MAIN(orbline::MainWindowTest)

#include "main_window_test.moc"
