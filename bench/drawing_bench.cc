// Drawing speed of the map display into a 1000 × 750 image, as the window paints it: a page of
// labels in about 50 heights with italic, underline and vertical variants, and a page of every
// item kind mixed. The page fills the whole map table (2000 rows: the header and 1999 items).
// The same pages as SVG: the time to write them and their size. Finding the row under the pointer
// on them.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>

#include "bench/full_map_pages.h"
#include "document/document.h"
#include "view/display.h"
#include "view/hit_map.h"
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

// A pointer move over a full page in the window: the first after a repaint finds where the page's
// things lie (drawing it again on a HitMap, the texts' layouts ready from the paint) and then the
// row under the pointer; every later one only looks, here at points spread over the page. Each
// iteration is one move. The window must answer within 2 ms.
void HitTest(benchmark::State& state, const Document& doc, bool afterRepaint) {
  ViewState view;
  view.displayMode = kModeBirdsEye;
  view.grid = 1;
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    QPainterCanvas canvas(painter, kWidth, kHeight);
    DrawDisplay(canvas, doc, view);
  }
  auto hits = std::make_unique<HitMap>(image, kWidth, kHeight);
  DrawDisplay(*hits, doc, view);
  int found = 0, move = 0;
  for (auto _ : state) {
    if (afterRepaint) {
      hits = std::make_unique<HitMap>(image, kWidth, kHeight);
      DrawDisplay(*hits, doc, view);
    }
    ++move;
    found += !hits->RowAt(QPointF(move * 37 % kWidth, move * 53 % kHeight), 3).empty();
  }
  state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
}
void BM_HitTest(benchmark::State& state) {
  HitTest(state, state.range(0) == 0 ? *FullLabelPage() : *FullMixedPage(), state.range(1) != 0);
}
BENCHMARK(BM_HitTest)
    ->Unit(benchmark::kMicrosecond)
    ->ArgNames({"mixed", "after_repaint"})
    ->ArgsProduct({{0, 1}, {0, 1}});

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
