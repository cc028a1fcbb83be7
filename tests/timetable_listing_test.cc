// The timetable listing of display mode 7.
#include "view/timetable_listing.h"

#include <gtest/gtest.h>

#include "doc_fixture.h"
#include "view/recording_canvas.h"

namespace orbline {
namespace {

using TimetableListingTest = DocTest;

std::vector<std::string> Lines(const RecordingCanvas& canvas) {
  std::vector<std::string> ops;
  for (const auto& op : canvas.ops())
    if (op.rfind("Line", 0) == 0) ops.push_back(op);
  return ops;
}

TEST_F(TimetableListingTest, EmptySlotsAndLayout) {
  doc->settings.weekkind = 2;
  RecordingCanvas canvas;
  DrawTimetable(canvas, *doc, 1);
  ASSERT_EQ(canvas.texts().size(), 15u) << "every slot is printed";
  const std::string empty = "　0 0 0 0 0 0 0  0:0(0)…0:0(0)　,,";
  EXPECT_EQ(canvas.texts()[0].text, Sjis("平日" + empty));
  EXPECT_EQ(canvas.texts()[0].x, 50);
  EXPECT_EQ(canvas.texts()[0].y, 20);
  EXPECT_EQ(canvas.texts()[4].y, 180);
  EXPECT_EQ(canvas.texts()[5].text, Sjis("土曜" + empty));
  EXPECT_EQ(canvas.texts()[5].y, 270);
  EXPECT_EQ(canvas.texts()[14].text, Sjis("日曜" + empty));
  EXPECT_EQ(canvas.texts()[14].y, 680);
  // The ellipsis is the code page 932 one, 81 63.
  EXPECT_NE(canvas.texts()[0].text.find("\x81\x63"), std::string::npos);
  // weekkind 2: three ticks and no joining line.
  EXPECT_EQ(Lines(canvas), (std::vector<std::string>{"Line 20 100 40 100", "Line 20 350 40 350", "Line 20 600 40 600"}));
}

TEST_F(TimetableListingTest, TrainValuesTimesAndTexts) {
  doc->maxCalcStation = 3;
  auto& v = doc->trainValues[kSaturday][56];  // page 12, second slot
  const uint16_t header[7] = {2, 65535, 3, 4, 5, 6, 7};
  for (int k = 0; k < 7; ++k) v[k] = header[k];
  v[train::TimeIndex(1)] = 5430;  // 9:3, tenths dropped
  v[train::StopInfoIndex(1)] = 2053;
  v[train::TimeIndex(3)] = 14399;  // 23:59
  v[train::StopInfoIndex(3)] = 65535;
  doc->trainTexts[kSaturday][56] = {"a", Sjis("急行"), "c"};
  RecordingCanvas canvas;
  DrawTimetable(canvas, *doc, 12);
  EXPECT_EQ(canvas.texts()[6].text, Sjis("土曜　2 65535 3 4 5 6 7  9:3(2053)…23:59(65535)　a,急行,c"));
  EXPECT_EQ(canvas.texts()[6].y, 310);
}

TEST_F(TimetableListingTest, MaxCalcStationZeroAndAboveTheRecord) {
  auto& v = doc->trainValues[kWeekday][0];
  v[train::kStationA] = 1234;  // value 5: the "time" at calc station 0
  v[train::kStationB] = 99;
  RecordingCanvas zero;
  DrawTimetable(zero, *doc, 1);
  EXPECT_EQ(zero.texts()[0].text, Sjis("平日　0 0 0 0 0 1234 99  0:0(0)…2:3(99)　,,"));
  // A failed read can leave maxCalcStation above 100: nothing past the 207 values is read.
  doc->maxCalcStation = 255;
  v[206] = 7;
  RecordingCanvas high;
  DrawTimetable(high, *doc, 1);
  EXPECT_EQ(high.texts()[0].text, Sjis("平日　0 0 0 0 0 1234 99  0:0(0)…0:0(0)　,,"));
}

TEST_F(TimetableListingTest, TicksJoinTheDayTypesOfOneFile) {
  const std::vector<std::string> ticks = {"Line 20 100 40 100", "Line 20 350 40 350", "Line 20 600 40 600"};
  const std::vector<std::string> joins[4] = {
      {"Line 20 350 20 600"}, {"Line 20 100 20 350", "Line 20 350 20 600"}, {}, {"Line 20 100 20 350"}};
  for (int weekkind = 0; weekkind < 4; ++weekkind) {
    doc->settings.weekkind = weekkind;
    RecordingCanvas canvas;
    DrawTimetable(canvas, *doc, 1);
    std::vector<std::string> expected = ticks;
    expected.insert(expected.end(), joins[weekkind].begin(), joins[weekkind].end());
    EXPECT_EQ(Lines(canvas), expected) << weekkind;
  }
  RecordingCanvas none;
  DrawTimetable(none, *doc, 13);
  EXPECT_TRUE(none.ops().empty());
}

}  // namespace
}  // namespace orbline
