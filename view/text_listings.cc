#include "view/text_listings.h"

#include "document/document.h"
#include "document/source_file_names.h"
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
  // Text i is line i + 1 of info.txt; the remarks' further lines are joined to line 5.
  for (int i = 0; i < kRouteInfoCount; ++i) {
    canvas.SetRow({kInfoFile, i + 1});
    canvas.Text(100, 100 * (i + 1), FormatSjis(labels[i], doc.routeInfo.texts[i].c_str()));
  }
  canvas.SetRow({});
}

void DrawKinds(Canvas& canvas, const Document& doc) {
  for (int k = 0; k < kKindCapacity && 50 + 50 * k < 700; ++k) {
    const Kind& kind = doc.kinds[k];
    if (kind.EndsTable()) break;
    const int y = 50 + 50 * k;
    canvas.SetRow({kKindFile, SourceLine(kind, k)});
    canvas.FillSolidRect(100, y, 100, 30, kind.colour);
    canvas.Text(220, y, FormatSjis(kTextKindRow, k + 1, kind.texts[0].c_str(), kind.texts[1].c_str()));
  }
  canvas.SetRow({});
}

void DrawStations(Canvas& canvas, const Document& doc, int page) {
  const int first = kStationsPerPage * (page - 1);
  for (int i = first; i < first + kStationsPerPage && i >= 0 && i < kStationCapacity; ++i) {
    const Station& s = doc.stations[i];
    if (s.EndsTable()) break;
    const auto& v = s.values;
    const int y = (i % kStationsPerPage) * 50;
    canvas.SetRow({kEkiFile, SourceLine(s, i)});
    // A grey band above every fifth row.
    if (i % 5 == 0) canvas.FillSolidRect(0, y, 1000, -2, kLightGrey);
    canvas.Text(20, y, std::to_string(s.calcStationNo()));
    canvas.SetTextColour(kDarkBlue);
    canvas.Text(40, y,
                FormatSjis(kTextStationLinks, v[Station::kLink1To], v[Station::kLink1To2], v[Station::kLink1Value3],
                           v[Station::kLink1Value4], v[Station::kLink2To], v[Station::kLink2To2],
                           v[Station::kLink2Value3], v[Station::kLink2Value4]));
    std::string rest = s.note.empty()
                           ? FormatSjis(kTextStationName, v[Station::kValue9], v[Station::kRatio], v[Station::kValue11],
                                        s.label.c_str(), s.name.c_str())
                           : FormatSjis(kTextStationNameNote, v[Station::kValue9], v[Station::kRatio],
                                        v[Station::kValue11], s.label.c_str(), s.name.c_str(), s.note.c_str());
    canvas.SetTextColour(kBlack);
    canvas.Text(450, y, rest);
  }
  canvas.SetRow({});
}

}  // namespace orbline
