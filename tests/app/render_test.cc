// Real pixels of the drawings, at several sizes, the Japanese face the labels use, and the exported
// files.
#include <QFontInfo>

#include "cli/render.h"
#include "tests/app/app_test.h"
#include "view/display.h"
#include "view/font_cache.h"
#include "view/hit_map.h"
#include "view/label_pictures.h"
#include "view/qpainter_canvas.h"
#include "view/view_state.h"

namespace orbline {

class RenderTest : public QObject {
  Q_OBJECT

  static constexpr QRgb kPage = qRgb(250, 250, 250);  // the background item's colour
  std::unique_ptr<Document> doc;

  QImage Render(QSize size, int mode = kModeBirdsEye) {
    const ViewState state{.displayMode = mode, .grid = 0};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, size.width(), size.height());
    DrawDisplay(canvas, *doc, state);
    return image;
  }

 private slots:
  void initTestCase() { SetUpApplication(*qApp); }
  void init() {
    doc = std::make_unique<Document>();
    doc->mapItems[0].values = {101, 250, 250, 250};
    doc->mapItems[1].values = {45, 100, 100, 150, 130, 200, 10, 20};    // a filled rectangle
    doc->mapItems[2].values = {42, 100, 600, 400, 600, 255, 0, 0, 20};  // a 20-unit red line
    doc->mapItems[3].values = {48, 500, 100, 700, 300, 0, 0, 255, 0};   // width-0 blue ellipse outline
  }

  void penWidthsFollowTheWindowSize() {
    const QRgb green = qRgb(0, 128, 0);
    for (int scale : {1, 2}) {
      init();
      QImage image = Render(QSize(1000, 750) * scale);
      // The wide line grows with the window (red down a column through it), the hairline does not
      // (the outline's left edge across a row through its middle).
      const int red = Scan(image, QRect(250 * scale, 560 * scale, 1, 80 * scale + 1), qRgb(255, 0, 0)).first;
      QVERIFY2(std::abs(red - 20 * scale) <= 2, qPrintable(QStringLiteral("%1 at scale %2").arg(red).arg(scale)));
      QCOMPARE(Scan(image, QRect(490 * scale, 200 * scale, 20 * scale + 1, 1), qRgb(0, 0, 255)).first, 1);
      // A pen 200 wide along an ellipse 100 × 60: solid from y 200 to 460, nothing above.
      doc->mapItems[1].values = {48, 400, 300, 500, 360, 0, 128, 0, 200};
      doc->mapItems[2].values = {};
      image = Render(QSize(1000, 750) * scale);
      QCOMPARE(image.pixel(450 * scale, 330 * scale), green);
      QCOMPARE(image.pixel(450 * scale, 210 * scale), green);
      QCOMPARE(image.pixel(450 * scale, 190 * scale), kPage);
      // Pens past any stroker's reach (40000 pixels at the larger size) cover the whole page.
      for (uint16_t kind : {48, 42}) {  // the ellipse, and a line between the same corners
        doc->mapItems[1].values = {kind, 400, 300, 500, 360, 0, 128, 0, 20000};
        image = Render(QSize(1000, 750) * scale);
        QCOMPARE(image.pixel(0, 0), green);
        QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), green);
      }
    }
  }

  void labelsUseTheJapaneseGothicFaceAndItsVerticalForms() {
    QCOMPARE(RegisterJapaneseFont(), QStringLiteral("IPAPGothic"));  // from fonts-ipafont-gothic
    // The face name the displays ask for is served by it, not by a Latin face.
    QCOMPARE(QFontInfo(QFont(JapaneseGothicName())).family(), QStringLiteral("IPAPGothic"));
    // A long-vowel mark runs down the column and a bracket opens downwards.
    for (const auto& [text, tall] : {std::pair("ー", true), std::pair("（", false)}) {
      doc->mapItems[1].values = {44, 600, 100, 0, 0, 0, 300, 1};
      doc->mapItems[1].text = Utf8ToSjis(text);
      doc->mapItems[2].values = {};
      const QRect ink = Scan(Render(QSize(1000, 750)), QRect(0, 0, 1000, 750), kPage).second;
      QVERIFY2(tall ? ink.height() > 3 * ink.width() : ink.width() > 3 * ink.height(),
               qPrintable(QStringLiteral("%1: %2x%3").arg(QString::fromUtf8(text)).arg(ink.width()).arg(ink.height())));
    }
  }

  // In a vertical label every double-byte character stands upright, ± and Greek as well as kanji;
  // what the face lacks (∑, an unassigned pair shown as U+FFFD) comes from another face instead
  // of as the face's empty box (glyph 0).
  void verticalLabelsStandDoubleByteCharactersUpright() {
    QImage device(1, 1, QImage::Format_RGB32);
    const FontCache::Font& font = FontCache::Get().Find({FontKey::kVerticalLabel, 40, false, false, 96}, &device);
    QString runs;
    for (const VerticalText::Run& run : FontCache::Get().SetVertically(font, Utf8ToSjis("±Α∑") + "\x85\x40" + 'A').runs)
      runs += QLatin1String(run.glyphs.glyphIndexes().contains(0) ? "box"
                            : run.turned                          ? "turned"
                                                                  : "upright") +
              QLatin1String(run.glyphs.rawFont().familyName() == font.raw.familyName() ? ", " : " fallback, ");
    QCOMPARE(runs, QStringLiteral("upright, upright fallback, upright fallback, upright, turned, "));
  }

  // Labels drawn from their pictures are the labels drawn glyph by glyph: every kind of label,
  // over coloured items and each other, with glyphs small enough to be cached and large enough to
  // be filled as outlines, at sizes that put them between pixels.
  void labelPicturesAreTheGlyphsDrawn() {
    const char* texts[] = {"汐凪港", "センター（臨時）", "10", "至 Ab 高原", "、。ー"};
    for (int i = 1; i < kMapItemCapacity; ++i) {
      const auto x = uint16_t(i * 37 % 900), y = uint16_t(i * 53 % 650);
      if (i % 5 == 0) {
        doc->mapItems[i].values = {45, x, y, 60, 30, uint16_t(i * 29 % 256), 200, 100};
        continue;
      }
      const auto w = [](int value) { return uint16_t(value); };
      doc->mapItems[i].values = {
          44, x, y, w(i * 7 % 256), 0, w(i * 3 % 256), w(12 + i % 70), w(i % 4 == 3), w(i / 2 % 2), w(i / 3 % 2)};
      doc->mapItems[i].text = Utf8ToSjis(texts[i % 5]);
    }
    LabelPictures& pictures = LabelPictures::Get();
    for (QSize size : {QSize(1000, 750), QSize(1337, 611), QSize(2000, 1500)}) {
      // Qt places a face's first glyphs a little differently until it has drawn some.
      Render(size);
      pictures.Clear();
      const QImage glyphs = Render(size);
      QCOMPARE(pictures.Bytes(), size_t{0});
      QCOMPARE(Render(size), glyphs);  // the pictures are made
      QVERIFY(pictures.Bytes() > 0);
      QCOMPARE(Render(size), glyphs);  // and drawn
    }
  }

  void listingColumnsLineUpAndStayLegible() {
    // Station rows whose last link number has 1, 2 and 3 digits; the "%4d" fields end at one x.
    const int digits[] = {7, 77, 777};
    for (int i = 0; i < 3; ++i) {
      doc->stations[i].values[Station::kLink2Value4] = static_cast<uint16_t>(digits[i]);
      doc->stations[i].name = "A";
    }
    // A small window: the listing font would shrink below legibility.
    const QImage image = Render(QSize(640, 480), kModeStations);
    QList<int> rights;
    for (int i = 0; i < 3; ++i) {
      // The links' text, from x 40 to the next text at x 450.
      const QRect area(40 * 640 / 1000, i * 50 * 480 / 750, (450 - 40) * 640 / 1000 - 2, 50 * 480 / 750);
      const QRect ink = Scan(image, area, qRgb(255, 255, 255)).second;
      QVERIFY2(ink.height() >= 9, qPrintable(QString::number(ink.height())));  // digits of a 12-pixel face
      rights << ink.right();
    }
    QCOMPARE(rights, QList<int>(3, rights[0]));
  }

  // What the pointer finds is where it is drawn, on a page stretched evenly and unevenly: every
  // pixel an item marks names its row within a pixel, and none farther away than the reach (a
  // label: a third of its cell, which holds more than its ink) does.
  void thePointerFindsEachKindWhereItIsDrawn() {
    const std::vector<std::vector<uint16_t>> kinds = {
        {44, 100, 100, 0, 0, 0, 40, 0, 1, 1},        // an italic underlined label
        {44, 500, 100, 0, 0, 0, 30, 1},              // a vertical one
        {42, 100, 400, 600, 500, 0, 0, 0, 0},        // a line of width 0 (1)
        {11, 1, 2, 0, 100, 600, 400, 650, 0, 0, 0},  // a link: a line 20 wide and two circles
        {21, 1, 2, 300, 500},                        // a bar
        {47, 600, 300, 800, 400},                    // an ellipse
        {48, 600, 450, 900, 700, 0, 0, 0, 0},        // a hairline outline
        {48, 700, 500, 760, 530, 0, 0, 0, 80}};      // a pen wider than its ellipse
    const ViewState state{.displayMode = kModeBirdsEye, .grid = 0};
    for (QSize size : {QSize(1000, 750), QSize(1337, 611)})
      for (const std::vector<uint16_t>& values : kinds) {
        init();
        std::copy(values.begin(), values.end(), doc->mapItems[1].values.begin());
        doc->mapItems[1].text = Utf8ToSjis("汐凪港");
        doc->mapItems[2].values = {};
        const QImage image = Render(size);
        HitMap hits(image, size.width(), size.height());
        DrawDisplay(hits, *doc, state);
        const int reach = 3, far = reach + 1 + (values[0] == 44 ? values[6] * size.height() / 750 / 3 : 1);
        QImage near(size, QImage::Format_Mono);  // within `far` of a marked pixel
        near.fill(0);
        for (int y = 0; y < size.height(); ++y)
          for (int x = 0; x < size.width(); ++x)
            if (image.pixel(x, y) != kPage)
              for (int ny = std::max(0, y - far); ny <= std::min(size.height() - 1, y + far); ++ny)
                for (int nx = std::max(0, x - far); nx <= std::min(size.width() - 1, x + far); ++nx)
                  near.setPixel(nx, ny, 1);
        int missed = 0, wrong = 0;
        for (int y = 0; y < size.height(); ++y)
          for (int x = 0; x < size.width(); ++x) {
            const bool item = hits.RowAt(QPointF(x + 0.5, y + 0.5), image.pixel(x, y) != kPage ? 1 : reach).line == 2;
            missed += image.pixel(x, y) != kPage && !item;
            wrong += near.pixelIndex(x, y) == 0 && item;
          }
        QVERIFY2(missed + wrong == 0,
                 qPrintable(QStringLiteral("kind %1 at %2x%3: %4 marked pixels missed, %5 far ones found")
                                .arg(values[0])
                                .arg(size.width())
                                .arg(size.height())
                                .arg(missed)
                                .arg(wrong)));
      }
    // Over each other the item drawn last is found; the grid, over the page's background, is no row.
    init();
    doc->mapItems[1].values = {45, 100, 100, 300, 200};     // a rectangle, line 2
    doc->mapItems[2].values = {44, 150, 150, 0, 0, 0, 40};  // a label over it
    doc->mapItems[2].text = Utf8ToSjis("汐凪港");
    doc->mapItems[3].values = {42, 100, 120, 400, 120, 0, 0, 0, 0};  // a line over both
    HitMap hits(QImage(1, 1, QImage::Format_RGB32), 1000, 750);
    DrawDisplay(hits, *doc, {.displayMode = kModeBirdsEye, .grid = 1});
    QList<int> lines;
    for (QPointF at : {QPointF(300, 120.5), QPointF(160, 170), QPointF(350, 250), QPointF(700, 600)})
      lines << hits.RowAt(at, 3).line;
    QCOMPARE(lines, QList<int>({4, 3, 2, 1}));
  }

  void exportsAreTheirStatedSize() {
    QTemporaryDir dir;
    doc->mapItems[4].values = {44, 10, 10, 0, 0, 0, 20};
    doc->mapItems[4].text = Utf8ToSjis("駅");
    const ViewState state{.displayMode = kModeBirdsEye};
    std::string error;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QVERIFY(RenderDisplay(*doc, state, 1000, 750, pdf.toStdString(), &error));
    QFile pdfFile(pdf);
    QVERIFY(pdfFile.open(QIODevice::ReadOnly));
    // The PDF page is 750 high, not 562.5 points cut to 562.
    QVERIFY(pdfFile.readAll().contains("/MediaBox [0 0 1000.000000 750.000000]"));
  }
};

}  // namespace orbline

QTEST_MAIN(orbline::RenderTest)

#include "render_test.moc"
