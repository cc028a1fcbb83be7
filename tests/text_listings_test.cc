// The listings of display modes 1–3, as recorded canvas operations.
#include "view/text_listings.h"

#include <gtest/gtest.h>

#include "doc_fixture.h"
#include "view/display.h"
#include "view/recording_canvas.h"
#include "view/view_state.h"

namespace orbline {
namespace {

using TextListingsTest = DocTest;
using Ops = std::vector<std::string>;

TEST_F(TextListingsTest, RouteInfoShowsFiveLabelledLinesEvenWhenEmpty) {
  RecordingCanvas canvas;
  DrawRouteInfo(canvas, *doc);
  EXPECT_EQ(canvas.ops(), (Ops{"Text 100 100 " + Sjis("路線名 ："), "Text 100 200 " + Sjis("Version："),
                               "Text 100 300 " + Sjis("作　者 ："), "Text 100 400 " + Sjis("施行日 ："),
                               "Text 100 500 " + Sjis("備　考 ：")}));
  doc->routeInfo[route::kRouteName] = Sjis("汐凪線");
  doc->routeInfo[route::kRemarks] = "a\r\nb";
  RecordingCanvas again;
  DrawRouteInfo(again, *doc);
  EXPECT_EQ(again.texts()[0].text, Sjis("路線名 ：汐凪線"));
  EXPECT_EQ(again.texts()[4].text, Sjis("備　考 ：") + "a\r\nb") << "one line, breaks not interpreted";
}

TEST_F(TextListingsTest, KindsUpToTheFirstEmptyRow) {
  doc->kindColour[0] = Rgb(255, 128, 0);
  doc->kindTexts[0] = {Sjis("普通"), Sjis("各停")};
  doc->kindTexts[1] = {"", "only2"};
  doc->kindTexts[3] = {"after", "the end"};
  RecordingCanvas canvas;
  DrawKinds(canvas, *doc);
  EXPECT_EQ(canvas.ops(), (Ops{"FillSolidRect 100 50 100 30 #FF8000", "Text 220 50 " + Sjis("1　普通　各停"),
                               "FillSolidRect 100 100 100 30 #000000", "Text 220 100 " + Sjis("2　　only2")}));
  // All 13 rows fit above y 700.
  for (int k = 0; k < kKindCapacity; ++k) doc->kindTexts[k] = {"k", ""};
  RecordingCanvas full;
  DrawKinds(full, *doc);
  ASSERT_EQ(full.texts().size(), 13u);
  EXPECT_EQ(full.texts().back().y, 650);
  EXPECT_EQ(full.texts().back().text, Sjis("13　k　"));
}

TEST_F(TextListingsTest, StationRowsWithBandsColoursAndByteWidths) {
  auto& v = doc->stationValues[0];
  for (int k = 0; k < kStationValueCount; ++k) v[k] = static_cast<uint16_t>(k + 1);
  v[station::kLink1To] = 65535;
  doc->stationTexts[0] = {Sjis("駅"), Sjis("港町"), ""};
  doc->stationTexts[1] = {"LABEL-TOO-LONG", "N", Sjis("注")};
  RecordingCanvas canvas;
  DrawStations(canvas, *doc, 1);
  const Ops expected = {
      "FillSolidRect 0 0 1000 -2 #C0C0C0",
      "Text 20 0 1",
      "SetTextColour #0000B4",
      "Text 40 0 65535   3   4   5" + Sjis("　") + "   6   7   8   9",
      "SetTextColour #000000",
      // "%6s" pads the two-byte label with four blanks.
      "Text 450 0   10  11  12    " + Sjis("駅　港町"),
      "Text 20 50 0",
      "SetTextColour #0000B4",
      "Text 40 50    0   0   0   0" + Sjis("　") + "   0   0   0   0",
      "SetTextColour #000000",
      "Text 450 50    0   0   0LABEL-TOO-LONG" + Sjis("　N(注)"),
  };
  EXPECT_EQ(canvas.ops(), expected);
}

TEST_F(TextListingsTest, StationPages) {
  for (int i = 0; i < kStationCapacity; ++i) doc->stationTexts[i][station::kName] = "S" + std::to_string(i);
  RecordingCanvas page2;
  DrawStations(page2, *doc, 2);
  ASSERT_EQ(page2.texts().size(), 45u);
  EXPECT_EQ(page2.texts()[2].text, "   0   0   0      " + Sjis("　") + "S15");
  EXPECT_EQ(page2.texts().back().y, 700);
  // Bands above rows 0, 5 and 10 of the page.
  int bands = 0;
  for (const auto& op : page2.ops()) bands += op.rfind("FillSolidRect 0 ", 0) == 0;
  EXPECT_EQ(bands, 3);
  EXPECT_EQ(page2.ops()[0], "FillSolidRect 0 0 1000 -2 #C0C0C0");
  // Page 12 lists stations 165..179; stations from 180 on never show.
  RecordingCanvas page12;
  DrawStations(page12, *doc, 12);
  EXPECT_NE(page12.texts().back().text.find("S179"), std::string::npos);
  // A page whose first station has no name is blank, whatever follows.
  doc->stationTexts[15][station::kName].clear();
  RecordingCanvas blank;
  DrawStations(blank, *doc, 2);
  EXPECT_TRUE(blank.ops().empty());
}

TEST_F(TextListingsTest, DisplayStatusTextsByMode) {
  doc->maxCalcStation = 22;
  doc->mapValues[0][map::kKind] = 203;
  doc->mapTexts[0] = Sjis("ダイヤ");
  ViewState state;
  state.eria = 3;
  const std::string expected[8] = {"", "", "", "", "", Sjis("ダイヤ"), "", Sjis("最大計算駅No：22")};
  for (int mode = 1; mode <= 7; ++mode) {
    state.displayMode = mode;
    RecordingCanvas canvas;
    EXPECT_EQ(DrawDisplay(canvas, *doc, state), expected[mode]) << "mode " << mode;
  }
}

TEST(DisplayTest, ClickCoordinatesOnlyInMapModes) {
  ViewState state;
  for (int mode = 1; mode <= 7; ++mode) {
    state.displayMode = mode;
    auto text = CoordinateMessage(state, 799, 300, 800, 600);
    EXPECT_EQ(text.has_value(), mode >= 4 && mode <= 6) << mode;
  }
  state.displayMode = 5;
  // Near the right edge lx is 999, rounded to 1000; halves round up.
  EXPECT_EQ(*CoordinateMessage(state, 799, 300, 800, 600), Sjis("(x,y)=(998,375)≒(1000,380)"));
  EXPECT_EQ(*CoordinateMessage(state, 1599, 0, 1600, 600), Sjis("(x,y)=(999,0)≒(1000,0)"));
  EXPECT_EQ(*CoordinateMessage(state, 4, 4, 1000, 750), Sjis("(x,y)=(4,4)≒(0,0)"));
  EXPECT_EQ(ToLogical(333, 333, 1000, 1000).y, 249) << "truncated";
}

}  // namespace
}  // namespace orbline
