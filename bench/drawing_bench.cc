// Drawing speed of the map display into a 1000 × 750 image, as the window paints it: a page of
// labels in about 50 heights with italic, underline and vertical variants, and a page of every
// item kind mixed. The page fills the whole map table (2000 rows: the header and 1999 items).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "platform/sjis.h"
#include "view/display.h"
#include "view/label_pictures.h"
#include "view/qpainter_canvas.h"
#include "view/view_state.h"

namespace orbline {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 750;

// Labels like those of the sample line's maps: station and place names, notes, hours.
const char* const kLabelTexts[] = {"汐凪港", "汐凪本町", "浜木綿通", "桐ヶ原", "雲雀野", "鈴蘭温泉", "星見高原",
                                   "朝霧信号場", "凡例", "駅前商店街", "至 汐凪港", "10", "高原ロープウェイ",
                                   "鏡ヶ池", "（臨時）", "平日ダイヤ 6時から12時"};
constexpr int kLabelTextCount = sizeof kLabelTexts / sizeof kLabelTexts[0];

class Page {
 public:
  Page() : doc_(std::make_unique<Document>()) {
    for (const char* text : kLabelTexts) texts_.push_back(Utf8ToSjis(text));
    Item(0, {101, 240, 240, 230});
  }

  Document& doc() { return *doc_; }

  void Item(int i, std::vector<uint16_t> values, std::string text = {}) {
    MapItem& item = doc_->mapItems[i];
    item.values.fill(0);
    for (size_t k = 0; k < values.size(); ++k) item.values[k] = static_cast<uint16_t>(values[k]);
    item.text = std::move(text);
  }

  // A label at a spread-out place: heights 12 … 61, every variant of italic and
  // underline, every fourth one vertical.
  void Label(int i) {
    const int x = i * 37 % 1000, y = i * 53 % 750;
    const int height = 12 + i % 50;
    Item(i, {44, uint16_t(x), uint16_t(y), uint16_t(i * 7 % 256), 0, 128, uint16_t(height), uint16_t(i % 4 == 3),
             uint16_t(i / 50 % 2), uint16_t(i / 100 % 2)},
         texts_[i % kLabelTextCount]);
  }

  const std::string& Text(int i) const { return texts_[i % kLabelTextCount]; }

 private:
  std::unique_ptr<Document> doc_;
  std::vector<std::string> texts_;
};

// Which paint of a page is timed: a repaint, as the window makes when it is uncovered (labels come
// from their pictures); the first paint at a size, as while the window is resized; or the second,
// which makes the pictures.
enum class Paint { kRepaint, kFirst, kSecond };

void DrawPage(benchmark::State& state, Page& page, int grid, Paint paint = Paint::kRepaint) {
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
    DrawDisplay(canvas, page.doc(), view);
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

void BM_LabelPage(benchmark::State& state) {
  Page page;
  for (int i = 1; i < kMapItemCapacity; ++i) page.Label(i);
  DrawPage(state, page, 0, Paint(state.range(0)));
}
BENCHMARK(BM_LabelPage)->Unit(benchmark::kMillisecond)->ArgName("paint")->DenseRange(0, 2);

// Links, bars, lines, labels, rectangles, ellipses and outlines in turn, with the grid on.
void BM_MixedPage(benchmark::State& state) {
  Page page;
  for (int i = 1; i < kMapItemCapacity; ++i) {
    const auto x = uint16_t(i * 37 % 900), y = uint16_t(i * 53 % 650), c = uint16_t(i * 29 % 256);
    switch (i % 8) {
      case 0: page.Item(i, {11, 1, 2, 0, x, y, uint16_t(x + 80), uint16_t(y + 40), c, 0, 255}); break;
      case 1: page.Item(i, {21, 1, 2, y, uint16_t(y + 60)}); break;
      case 2: page.Item(i, {42, x, y, uint16_t(x + 90), uint16_t(y + 30), c, 90, 0, uint16_t(i % 7)}); break;
      case 3: page.Label(i); break;
      case 4: page.Item(i, {45, x, y, 40, 25, c, 200, 100}); break;
      case 5: page.Item(i, {46, x, y, 20, 20}); break;
      case 6: page.Item(i, {47, x, y, uint16_t(x + 30), uint16_t(y + 20), 255, c, 0}); break;
      default: page.Item(i, {48, x, y, uint16_t(x + 60), uint16_t(y + 40), 0, c, 200, uint16_t(i % 5)}); break;
    }
  }
  DrawPage(state, page, 1);
}
BENCHMARK(BM_MixedPage)->Unit(benchmark::kMillisecond);

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
