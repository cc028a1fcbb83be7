// The about box: title, size, texts and their places, the icon and the OK button.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "app/about_dialog.h"
#include "app/dialog_units.h"
#include "tests/app/app_test.h"

using orbline::AboutDialog;

namespace {

// Pixels of dialog units, worked out here from the dialog font's metrics.
QRect ExpectedPixels(int x, int y, int w, int h) {
  const QFontMetrics metrics(orbline::DialogFont());
  const double letters =
      metrics.horizontalAdvance(QLatin1String("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const int baseX = static_cast<int>(std::lround(letters / 52.0));
  const int baseY = metrics.height();
  auto px = [&](int u) { return static_cast<int>(std::lround(u * baseX / 4.0)); };
  auto py = [&](int u) { return static_cast<int>(std::lround(u * baseY / 8.0)); };
  return QRect(px(x), py(y), px(w), py(h));
}

QLabel* LabelStartingWith(const QDialog& dialog, const QString& start) {
  for (QLabel* label : dialog.findChildren<QLabel*>())
    if (!label->text().isEmpty() && label->text().startsWith(start)) return label;
  return nullptr;
}

}  // namespace

class AboutDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void frame() {
    AboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral(u"ﾊﾞｰｼﾞｮﾝ情報  (Zelkor Maker)"));
    QCOMPARE(dialog.font().family(), orbline::DialogFont().family());
    QCOMPARE(dialog.font().pointSize(), 9);
    const QSize size = ExpectedPixels(0, 0, 194, 91).size();
    QCOMPARE(dialog.minimumSize(), size);
    QCOMPARE(dialog.maximumSize(), size);
  }

  void texts_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QRect>("units");
    QTest::addRow("version") << QStringLiteral("Zelkor Maker Ver 1.17") << QRect(40, 8, 76, 8);
    QTest::addRow("format") << QStringLiteral(u"ZKF形式：2.00") << QRect(40, 24, 47, 8);
    QTest::addRow("made on") << QStringLiteral(u"制作日：2000/2/13(Sun)\n") << QRect(40, 40, 130, 40);
  }

  void texts() {
    QFETCH(QString, start);
    QFETCH(QRect, units);
    AboutDialog dialog;
    QLabel* label = LabelStartingWith(dialog, start);
    QVERIFY(label);
    if (!start.endsWith(QLatin1Char('\n'))) QCOMPARE(label->text(), start);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->geometry(), ExpectedPixels(units.x(), units.y(), units.width(), units.height()));
  }

  // The multi-line text holds the date and at least one contact line, all of which fit in it.
  void contactLinesFit() {
    AboutDialog dialog;
    QLabel* label = LabelStartingWith(dialog, QStringLiteral(u"制作日："));
    QVERIFY(label);
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    QVERIFY(lines.size() >= 2);
    QVERIFY(!label->text().contains(QLatin1Char('@')));
    const QFontMetrics metrics(label->font());
    QVERIFY(metrics.lineSpacing() * lines.size() <= label->height());
    for (const QString& line : lines)
      QVERIFY2(metrics.horizontalAdvance(line) <= label->width(), qPrintable(line));
  }

  void iconIsTheApplicationIcon() {
    const QIcon saved = QApplication::windowIcon();
    QPixmap red(32, 32);
    red.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(red));
    AboutDialog dialog;
    QApplication::setWindowIcon(saved);
    QLabel* icon = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>())
      if (!label->pixmap().isNull()) icon = label;
    QVERIFY(icon);
    QCOMPARE(icon->geometry().topLeft(), ExpectedPixels(11, 17, 0, 0).topLeft());
    QCOMPARE(icon->size(), QSize(32, 32));
    const QImage image = icon->pixmap().toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(image.pixelColor(16, 16), QColor(Qt::red));
  }

  void okEndsTheDialog() {
    AboutDialog dialog;
    QPushButton* ok = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
      if (button->property("controlId").toInt() == 1) ok = button;
    QVERIFY(ok);
    QCOMPARE(dialog.findChildren<QPushButton*>().size(), 1);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->geometry(), ExpectedPixels(140, 10, 40, 14));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
};

ORBLINE_APP_TEST(AboutDialogTest);

#include "about_dialog_test.moc"
