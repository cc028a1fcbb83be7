#include "bench/full_map_pages.h"

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "platform/sjis.h"

namespace orbline {
namespace {

const char* const kLabelTexts[] = {"汐凪港",
                                   "汐凪本町",
                                   "浜木綿通",
                                   "桐ヶ原",
                                   "雲雀野",
                                   "鈴蘭温泉",
                                   "星見高原",
                                   "朝霧信号場",
                                   "凡例",
                                   "駅前商店街",
                                   "至 汐凪港",
                                   "10",
                                   "高原ロープウェイ",
                                   "鏡ヶ池",
                                   "（臨時）",
                                   "平日ダイヤ 6時から12時"};
constexpr int kLabelTextCount = sizeof kLabelTexts / sizeof kLabelTexts[0];

void Item(Document& doc, int i, std::vector<uint16_t> values, std::string text = {}) {
  MapItem& item = doc.mapItems[i];
  item.values.fill(0);
  for (size_t k = 0; k < values.size(); ++k) item.values[k] = values[k];
  item.text = std::move(text);
}

std::unique_ptr<Document> EmptyPage() {
  auto doc = std::make_unique<Document>();
  Item(*doc, 0, {101, 240, 240, 230});
  return doc;
}

void Label(Document& doc, int i) {
  const int x = i * 37 % 1000, y = i * 53 % 750;
  const int height = 12 + i % 50;
  Item(doc, i,
       {44, uint16_t(x), uint16_t(y), uint16_t(i * 7 % 256), 0, 128, uint16_t(height), uint16_t(i % 4 == 3),
        uint16_t(i / 50 % 2), uint16_t(i / 100 % 2)},
       Utf8ToSjis(kLabelTexts[i % kLabelTextCount]));
}

}  // namespace

std::unique_ptr<Document> FullLabelPage() {
  auto doc = EmptyPage();
  for (int i = 1; i < kMapItemCapacity; ++i) Label(*doc, i);
  return doc;
}

std::unique_ptr<Document> FullMixedPage() {
  auto page = EmptyPage();
  Document& doc = *page;
  for (int i = 1; i < kMapItemCapacity; ++i) {
    const auto x = uint16_t(i * 37 % 900), y = uint16_t(i * 53 % 650), c = uint16_t(i * 29 % 256);
    switch (i % 8) {
      case 0: Item(doc, i, {11, 1, 2, 0, x, y, uint16_t(x + 80), uint16_t(y + 40), c, 0, 255}); break;
      case 1: Item(doc, i, {21, 1, 2, y, uint16_t(y + 60)}); break;
      case 2: Item(doc, i, {42, x, y, uint16_t(x + 90), uint16_t(y + 30), c, 90, 0, uint16_t(i % 7)}); break;
      case 3: Label(doc, i); break;
      case 4: Item(doc, i, {45, x, y, 40, 25, c, 200, 100}); break;
      case 5: Item(doc, i, {46, x, y, 20, 20}); break;
      case 6: Item(doc, i, {47, x, y, uint16_t(x + 30), uint16_t(y + 20), 255, c, 0}); break;
      default: Item(doc, i, {48, x, y, uint16_t(x + 60), uint16_t(y + 40), 0, c, 200, uint16_t(i % 5)}); break;
    }
  }
  return page;
}

}  // namespace orbline
