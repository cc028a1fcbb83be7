#include "view/text_listings.h"

#include "document/document.h"
#include "view/canvas.h"
#include "view/view_texts.h"

namespace orbline {
namespace {

constexpr Colour kLightGrey = Rgb(192, 192, 192);
constexpr Colour kDarkBlue = Rgb(0, 0, 180);
constexpr int kStationsPerPage = 15;

}  // namespace

void DrawRouteInfo(Canvas& canvas, const Document& doc) {
  const ViewText labels[kRouteInfoCount] = {kTextRouteName, kTextVersion, kTextAuthor, kTextEffectiveDate,
                                            kTextRemarks};
  for (int i = 0; i < kRouteInfoCount; ++i)
    canvas.Text(100, 100 * (i + 1), FormatSjis(labels[i], doc.routeInfo[i].c_str()));
}

void DrawKinds(Canvas& canvas, const Document& doc) {
  for (int k = 0; k < kKindCapacity && 50 + 50 * k < 700; ++k) {
    const auto& texts = doc.kindTexts[k];
    if (texts[kind::kText1].empty() && texts[kind::kText2].empty()) break;
    const int y = 50 + 50 * k;
    canvas.FillSolidRect(100, y, 100, 30, doc.kindColour[k]);
    canvas.Text(220, y, FormatSjis(kTextKindRow, k + 1, texts[kind::kText1].c_str(), texts[kind::kText2].c_str()));
  }
}

void DrawStations(Canvas& canvas, const Document& doc, int page) {
  const int first = kStationsPerPage * (page - 1);
  for (int i = first; i < first + kStationsPerPage && i >= 0 && i < kStationCapacity; ++i) {
    const auto& v = doc.stationValues[i];
    const auto& t = doc.stationTexts[i];
    if (t[station::kName].empty()) break;
    const int y = (i % kStationsPerPage) * 50;
    // A grey band above every fifth row.
    if (i % 5 == 0) canvas.FillSolidRect(0, y, 1000, -2, kLightGrey);
    canvas.Text(20, y, std::to_string(v[station::kCalcStationNo]));
    canvas.SetTextColour(kDarkBlue);
    canvas.Text(40, y,
                FormatSjis(kTextStationLinks, v[station::kLink1To], v[station::kLink1To2], v[station::kLink1Value3],
                           v[station::kLink1Value4], v[station::kLink2To], v[station::kLink2To2],
                           v[station::kLink2Value3], v[station::kLink2Value4]));
    std::string rest =
        t[station::kNote].empty()
            ? FormatSjis(kTextStationName, v[station::kValue9], v[station::kRatio], v[station::kValue11],
                         t[station::kLabel].c_str(), t[station::kName].c_str())
            : FormatSjis(kTextStationNameNote, v[station::kValue9], v[station::kRatio], v[station::kValue11],
                         t[station::kLabel].c_str(), t[station::kName].c_str(), t[station::kNote].c_str());
    canvas.SetTextColour(kBlack);
    canvas.Text(450, y, rest);
  }
}

}  // namespace orbline
