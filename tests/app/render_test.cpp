// Real pixels of the map drawing, at two window sizes, and the Japanese face the labels use.
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <memory>

#include "doc/document.h"
#include "tests/app/app_test.h"
#include "view/display.h"
#include "view/qpainter_canvas.h"
#include "view/view_state.h"

namespace orbline {

class RenderTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Document> doc;

  void Item(int i, std::vector<uint16_t> values) {
    doc->mapValues[i].fill(0);
    for (size_t k = 0; k < values.size(); ++k) doc->mapValues[i][k] = values[k];
  }

  QImage Render(int width, int height, int grid) {
    ViewState state;
    state.displayMode = ViewState::kModeBirdsEye;
    state.grid = grid;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, width, height);
    DrawDisplay(canvas, *doc, state);
    return image;
  }

  // Pixels of `colour` in column x from y0 to y1, or in row y from x0 to x1.
  static int RunInColumn(const QImage& img, int x, int y0, int y1, QRgb colour) {
    int n = 0;
    for (int y = y0; y <= y1; ++y) n += img.pixel(x, y) == colour;
    return n;
  }
  static int RunInRow(const QImage& img, int y, int x0, int x1, QRgb colour) {
    int n = 0;
    for (int x = x0; x <= x1; ++x) n += img.pixel(x, y) == colour;
    return n;
  }

 private slots:
  void init() {
    doc = std::make_unique<Document>();
    Item(0, {101, 250, 250, 250});
    Item(1, {45, 100, 100, 150, 130, 200, 10, 20});       // filled rectangle
    Item(2, {42, 100, 600, 400, 600, 255, 0, 0, 20});     // a 20-unit red line
    Item(3, {48, 500, 100, 700, 300, 0, 0, 255, 0});      // width-0 blue ellipse outline
  }

  void filledRectangleHasItsColour() {
    for (QSize size : {QSize(1000, 750), QSize(1600, 900)}) {
      QImage img = Render(size.width(), size.height(), 0);
      const double sx = size.width() / 1000.0, sy = size.height() / 750.0;
      QCOMPARE(QColor(img.pixel(int(175 * sx), int(165 * sy))), QColor(200, 10, 20));
      QCOMPARE(QColor(img.pixel(int(90 * sx), int(165 * sy))), QColor(250, 250, 250));  // the page background
    }
  }

  void gridLinesFallWhereTheyMust() {
    QImage img = Render(1000, 750, 1);
    // Fine lines every 20 units in cyan, coarse ones every 100 over them.
    QCOMPARE(QColor(img.pixel(20, 410)), QColor(0, 255, 255));
    QCOMPARE(QColor(img.pixel(900, 410)), QColor(0, 180, 255));
    QCOMPARE(QColor(img.pixel(450, 40)), QColor(0, 255, 255));
    QCOMPARE(QColor(img.pixel(450, 700)), QColor(0, 180, 255));
    QCOMPARE(QColor(img.pixel(450, 410)), QColor(250, 250, 250));  // between lines
    // The items lie over the grid.
    QCOMPARE(QColor(img.pixel(120, 120)), QColor(200, 10, 20));
  }

  void wideLinesGrowWithTheWindowButHairlinesDoNot() {
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    QImage small = Render(1000, 750, 0);
    QImage large = Render(2000, 1500, 0);
    const int thinRed = RunInColumn(small, 250, 560, 640, red);
    const int thickRed = RunInColumn(large, 500, 1120, 1280, red);
    QVERIFY2(thinRed >= 18 && thinRed <= 22, qPrintable(QString::number(thinRed)));
    QVERIFY2(thickRed >= 38 && thickRed <= 42, qPrintable(QString::number(thickRed)));
    // The outline's left edge, across one row through its middle: one pixel at both sizes.
    QCOMPARE(RunInRow(small, 200, 490, 510, blue), 1);
    QCOMPARE(RunInRow(large, 400, 980, 1020, blue), 1);
  }

  void labelsUseTheJapaneseGothicFace() {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"));
    QVERIFY2(id >= 0, "fonts-ipafont-gothic is not installed");
    QCOMPARE(QFontDatabase::applicationFontFamilies(id).value(0), QStringLiteral("IPAPGothic"));
    QCOMPARE(RegisterJapaneseFont(), QStringLiteral("IPAPGothic"));
    // The face name the displays ask for is served by it, not by a Latin face.
    QFont font(JapaneseGothicName());
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
  }
};

ORBLINE_APP_TEST(RenderTest);

}  // namespace orbline

#include "render_test.moc"
