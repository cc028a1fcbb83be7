// Real pixels of the drawings, at several sizes, the Japanese face the labels use, and the exported
// files.
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "cli/render.h"
#include "document/document.h"
#include "platform/sjis.h"
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

  QImage Render(int width, int height, int grid, int mode = ViewState::kModeBirdsEye) {
    ViewState state;
    state.displayMode = mode;
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
  // The smallest rectangle holding every pixel of `area` that is not `background`.
  static QRect Ink(const QImage& img, const QRect& area, QRgb background) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (img.pixel(x, y) != background) ink |= QRect(x, y, 1, 1);
    return ink;
  }

 private slots:
  void init() {
    doc = std::make_unique<Document>();
    Item(0, {101, 250, 250, 250});
    Item(1, {45, 100, 100, 150, 130, 200, 10, 20});  // a filled rectangle
    Item(2, {42, 100, 600, 400, 600, 255, 0, 0, 20});     // a 20-unit red line
    Item(3, {48, 500, 100, 700, 300, 0, 0, 255, 0});      // width-0 blue ellipse outline
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

  void verticalLabelsUseTheVerticalForms() {
    // A long-vowel mark runs down the column and a bracket opens downwards.
    const struct {
      const char* text;
      bool tall;
    } cases[] = {{"ー", true}, {"（", false}};
    for (const auto& c : cases) {
      Item(1, {44, 600, 100, 0, 0, 0, 300, 1});
      doc->mapTexts[1] = Utf8ToSjis(c.text);
      Item(2, {});
      const QRect ink = Ink(Render(1000, 750, 0), QRect(0, 0, 1000, 750), qRgb(250, 250, 250));
      const bool tall = ink.height() > 3 * ink.width(), wide = ink.width() > 3 * ink.height();
      QVERIFY2(tall == c.tall && wide == !c.tall,
               qPrintable(QStringLiteral("%1: %2x%3").arg(QString::fromUtf8(c.text)).arg(ink.width()).arg(ink.height())));
    }
  }

  void listingColumnsLineUpAndStayLegible() {
    // Station rows whose last link number has 1, 2 and 3 digits; the "%4d" fields end at one x.
    const int digits[] = {7, 77, 777};
    for (int i = 0; i < 3; ++i) {
      doc->stationValues[i].fill(0);
      doc->stationValues[i][station::kLink2Value4] = static_cast<uint16_t>(digits[i]);
      doc->stationTexts[i][station::kName] = "A";
    }
    // A small window: the listing font would shrink below legibility.
    const QImage img = Render(640, 480, 0, ViewState::kModeStations);
    int right[3];
    for (int i = 0; i < 3; ++i) {
      const int top = i * 50 * 480 / 750;
      // The links' text, from x 40 to the next text at x 450.
      const QRect ink = Ink(img, QRect(40 * 640 / 1000, top, (450 - 40) * 640 / 1000 - 2, 50 * 480 / 750), qRgb(255, 255, 255));
      right[i] = ink.right();
      QVERIFY2(ink.height() >= 9, qPrintable(QString::number(ink.height())));  // digits of a 12-pixel face
    }
    QCOMPARE(right[1], right[0]);
    QCOMPARE(right[2], right[0]);
  }

  void widePensCoverTheEllipseAtEverySize() {
    const QRgb green = qRgb(0, 128, 0);
    for (QSize size : {QSize(1000, 750), QSize(2000, 1500)}) {
      const double sx = size.width() / 1000.0, sy = size.height() / 750.0;
      // A pen 200 wide along an ellipse 100 × 60: solid from y 200 to 460, nothing above.
      Item(1, {48, 400, 300, 500, 360, 0, 128, 0, 200});
      Item(2, {});
      QImage img = Render(size.width(), size.height(), 0);
      QCOMPARE(img.pixel(int(450 * sx), int(330 * sy)), green);
      QCOMPARE(img.pixel(int(450 * sx), int(210 * sy)), green);
      QCOMPARE(img.pixel(int(450 * sx), int(190 * sy)), qRgb(250, 250, 250));
      // Pens past any stroker's reach (40000 pixels at the larger size) cover the whole page.
      for (std::vector<uint16_t> item : {std::vector<uint16_t>{48, 400, 300, 500, 360, 0, 128, 0, 20000},
                                         std::vector<uint16_t>{42, 100, 100, 120, 100, 0, 128, 0, 20000}}) {
        Item(1, item);
        img = Render(size.width(), size.height(), 0);
        QCOMPARE(img.pixel(0, 0), green);
        QCOMPARE(img.pixel(size.width() - 1, size.height() - 1), green);
      }
    }
  }

  void exportsAreTheirStatedSize() {
    QTemporaryDir dir;
    Item(4, {44, 10, 10, 0, 0, 0, 20});
    doc->mapTexts[4] = Utf8ToSjis("駅");
    ViewState state;
    state.displayMode = ViewState::kModeBirdsEye;
    std::string error;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf")), svg = dir.filePath(QStringLiteral("page.svg"));
    QVERIFY(RenderDisplay(*doc, state, 1000, 750, pdf.toStdString(), &error));
    QVERIFY(RenderDisplay(*doc, state, 1000, 750, svg.toStdString(), &error));
    QFile pdfFile(pdf), svgFile(svg);
    QVERIFY(pdfFile.open(QIODevice::ReadOnly) && svgFile.open(QIODevice::ReadOnly));
    // The PDF page is 750 high, not 562.5 points cut to 562; the SVG states the same size.
    QVERIFY(pdfFile.readAll().contains("/MediaBox [0 0 1000.000000 750.000000]"));
    const QString text = QString::fromUtf8(svgFile.readAll());
    const auto size = QRegularExpression(QStringLiteral("<svg[^>]*width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\"")).match(text);
    QVERIFY(size.hasMatch());
    QCOMPARE(qRound(size.captured(1).toDouble() * 72 / 25.4), 1000);
    QCOMPARE(qRound(size.captured(2).toDouble() * 72 / 25.4), 750);
    // Viewers without the face find Japanese Gothic faces after it.
    QVERIFY(text.contains(QStringLiteral(u"font-family=\"'ＭＳ Ｐゴシック', '")));
    QVERIFY(!text.contains(QStringLiteral(u"font-family=\"ＭＳ Ｐゴシック\"")));
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
