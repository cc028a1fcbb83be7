// Live authoring: the busy cursor under dialogs.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/qt_services.h"
#include "tests/app/app_test.h"

namespace orbline {

class LiveAuthoringTest : public QObject {
  Q_OBJECT

 private slots:
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
