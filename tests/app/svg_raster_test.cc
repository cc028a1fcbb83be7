// The SVG of each display of the sample line, drawn by two programs that are not ours, looks as the
// window's PNG does. Rendering differs in ways that do not matter here: smoothed edges against the
// window's plain ones, a pixel's rounding, the renderer's own underline (Chromium puts it higher and
// twice as thick). So both images are blurred over 3 × 3 pixels, and a pixel differs only when no
// pixel next to it (or at it) in the other image has every colour channel within 48 levels of
// its own. No 32 × 32 tile may hold more such pixels than the renderer's limit: 64 for rsvg-convert
// (the sample costs at most 32), which meets a 22-unit label three units from its place, a glyph at
// half its size or a fill 54 levels off; 160 for Chromium (its underlines cost 120), which meets a
// label half a character from its place, a glyph at half its size or the same wrong fill.
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

#include "cli/render.h"
#include "compiler/line_check.h"
#include "tests/app/app_test.h"
#include "view/view_state.h"

namespace orbline {
namespace {

QRgb Pixel(const QImage& image, int x, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]; }

QImage Blurred(const QImage& image) {
  const QImage in = image.convertToFormat(QImage::Format_RGB32);
  QImage out(in.size(), QImage::Format_RGB32);
  for (int y = 0; y < in.height(); ++y)
    for (int x = 0; x < in.width(); ++x) {
      int r = 0, g = 0, b = 0, n = 0;
      for (int v = std::max(0, y - 1); v <= std::min(in.height() - 1, y + 1); ++v)
        for (int u = std::max(0, x - 1); u <= std::min(in.width() - 1, x + 1); ++u, ++n) {
          const QRgb p = Pixel(in, u, v);
          r += qRed(p), g += qGreen(p), b += qBlue(p);
        }
      reinterpret_cast<QRgb*>(out.scanLine(y))[x] = qRgb(r / n, g / n, b / n);
    }
  return out;
}

// Whether no pixel of `b` at or next to (x, y) has the colour of `a`'s there, within 48 levels.
bool Differs(const QImage& a, const QImage& b, int x, int y) {
  const QRgb p = Pixel(a, x, y);
  for (int v = std::max(0, y - 1); v <= std::min(b.height() - 1, y + 1); ++v)
    for (int u = std::max(0, x - 1); u <= std::min(b.width() - 1, x + 1); ++u) {
      const QRgb q = Pixel(b, u, v);
      if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))}) <= 48)
        return false;
    }
  return true;
}

// The most differing pixels in one 32 × 32 tile, and where that tile is.
std::pair<int, QPoint> WorstTile(const QImage& window, const QImage& rendered) {
  const QImage a = Blurred(window), b = Blurred(rendered);
  constexpr int kTile = 32;
  std::pair<int, QPoint> worst{0, QPoint()};
  for (int top = 0; top < a.height(); top += kTile)
    for (int left = 0; left < a.width(); left += kTile) {
      int count = 0;
      for (int y = top; y < std::min(a.height(), top + kTile); ++y)
        for (int x = left; x < std::min(a.width(), left + kTile); ++x)
          count += Differs(a, b, x, y) || Differs(b, a, x, y);
      worst = std::max(worst, std::pair(count, QPoint(left, top)), [](auto& l, auto& r) { return l.first < r.first; });
    }
  return worst;
}

}  // namespace

class SvgRasterTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Document> doc = std::make_unique<Document>();
  QTemporaryDir dir;

 private slots:
  void initTestCase() {
    SetUpApplication(*qApp);
    DiskLineReader files(std::filesystem::path(ORBLINE_SOURCE_DIR) / "examples" / "sample");
    FindingList findings;
    WaitCursor cursor;
    QVERIFY(ReadAndCheck(*doc, files, findings, cursor, FaultMode::kFirstFault));
  }

  void drawnLikeTheWindow_data() {
    QTest::addColumn<QString>("renderer");
    QTest::addColumn<int>("mode");
    for (const QString& renderer : {QStringLiteral("rsvg-convert"), QStringLiteral("chromium")})
      for (int mode = 1; mode <= 7; ++mode)
        QTest::newRow(qPrintable(renderer + QStringLiteral(", mode ") + QString::number(mode))) << renderer << mode;
  }

  void drawnLikeTheWindow() {
    QFETCH(QString, renderer);
    QFETCH(int, mode);
    const bool chromium = renderer == QLatin1String("chromium");
    const QString program = QStandardPaths::findExecutable(renderer);
    if (program.isEmpty())
      QSKIP(chromium ? "chromium is not installed (Debian package chromium)"
                     : "rsvg-convert is not installed (Debian package librsvg2-bin)");
    // Page 1, the map pages with their grid, as `orblinec render -o` draws them.
    const ViewState state{.displayMode = mode, .eria = 1, .grid = mode >= 4 && mode <= 6};
    const QString png = dir.filePath(QStringLiteral("window.png")), svg = dir.filePath(QStringLiteral("page.svg"));
    const QString out = dir.filePath(QStringLiteral("rendered.png"));
    std::string error;
    QVERIFY(RenderDisplay(*doc, state, 1000, 750, png.toStdString(), &error));
    QVERIFY(RenderDisplay(*doc, state, 1000, 750, svg.toStdString(), &error));
    QFile::remove(out);

    // Chromium: a fresh profile, nothing fetched; faults of the file would come as console messages.
    QTemporaryDir profile;
    const QString chromiumOptions = QStringLiteral(
        "--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking "
        "--disable-component-update --disable-sync --enable-logging=stderr --v=0 --window-size=1000,750");
    QProcess process;
    process.start(program,
                  chromium ? chromiumOptions.split(QLatin1Char(' ')) +
                                 QStringList{QStringLiteral("--user-data-dir=") + profile.path(),
                                             QStringLiteral("--screenshot=") + out, QUrl::fromLocalFile(svg).toString()}
                           : QStringList{QStringLiteral("-o"), out, svg});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    const QString messages = QString::fromUtf8(process.readAllStandardError());
    if (chromium)
      QVERIFY2(!messages.contains(QStringLiteral(":CONSOLE")), qPrintable(messages));
    else
      QVERIFY2(messages.isEmpty(), qPrintable(messages));

    const QImage rendered(out), window(png);
    QCOMPARE(rendered.size(), window.size());
    const auto [count, tile] = WorstTile(window, rendered);
    QVERIFY2(
        count <= (chromium ? 160 : 64),
        qPrintable(QStringLiteral("%1 pixels differ in the tile at (%2, %3)").arg(count).arg(tile.x()).arg(tile.y())));
  }
};

}  // namespace orbline

QTEST_MAIN(orbline::SvgRasterTest)

#include "svg_raster_test.moc"
