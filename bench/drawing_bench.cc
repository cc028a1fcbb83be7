// Drawing speed of the map display into a 1000 × 750 image, as the window paints it: a page of
// labels in about 50 heights with italic, underline and vertical variants, and a page of every
// item kind mixed. The page fills the whole map table (2000 rows: the header and 1999 items).
// The same pages as SVG: the time to write them and their size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>

#include "bench/full_map_pages.h"
#include "document/document.h"
#include "view/display.h"
#include "view/label_pictures.h"
#include "view/qpainter_canvas.h"
#include "view/svg_canvas.h"
#include "view/view_state.h"

namespace orbline {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 750;

// Which paint of a page is timed: a repaint, as the window makes when it is uncovered (labels come
// from their pictures); the first paint at a size, as while the window is resized; or the second,
// which makes the pictures.
enum class Paint { kRepaint, kFirst, kSecond };

void DrawPage(benchmark::State& state, const Document& doc, int grid, Paint paint = Paint::kRepaint) {
  ViewState view;
  view.displayMode = kModeBirdsEye;
  view.eria = 1;
  view.grid = grid;
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const auto draw = [&] {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPainterCanvas canvas(painter, kWidth, kHeight);
    DrawDisplay(canvas, doc, view);
  };
  LabelPictures::Get().Clear();
  draw();  // fonts and Qt's glyphs, which every paint after the window's first finds ready
  for (auto _ : state) {
    if (paint != Paint::kRepaint) {
      state.PauseTiming();
      LabelPictures::Get().Clear();
      if (paint == Paint::kSecond) draw();
      state.ResumeTiming();
    }
    draw();
  }
  state.counters["picture_MB"] = double(LabelPictures::Get().Bytes()) / (1 << 20);
}

void BM_LabelPage(benchmark::State& state) { DrawPage(state, *FullLabelPage(), 0, Paint(state.range(0))); }
BENCHMARK(BM_LabelPage)->Unit(benchmark::kMillisecond)->ArgName("paint")->DenseRange(0, 2);

// Every item kind mixed, with the grid on.
void BM_MixedPage(benchmark::State& state) { DrawPage(state, *FullMixedPage(), 1); }
BENCHMARK(BM_MixedPage)->Unit(benchmark::kMillisecond);

// The same pages written as SVG; `bytes` is the file's size.
void BM_SvgPage(benchmark::State& state) {
  const std::unique_ptr<Document> doc = state.range(0) == 0 ? FullLabelPage() : FullMixedPage();
  ViewState view;
  view.displayMode = kModeBirdsEye;
  view.grid = int(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    SvgCanvas canvas;
    DrawDisplay(canvas, *doc, view);
    bytes = canvas.Svg().size();
  }
  state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_SvgPage)->Unit(benchmark::kMillisecond)->ArgName("mixed")->DenseRange(0, 1);

}  // namespace
}  // namespace orbline

int main(int argc, char** argv) {
  // Drawing needs a GUI application, but no display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  orbline::RegisterJapaneseFont();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
