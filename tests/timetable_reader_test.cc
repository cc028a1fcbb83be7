// data1.txt..data3.txt.
#include <gtest/gtest.h>

#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

using TimetableReaderTest = DocTest;

constexpr char kHead[] = "kind\tcar\tv2\tv3\tv4\tA\tB";

uint16_t Time(const Document& d, int day, int train, int s) { return d.trainValues[day][train][train::TimeIndex(s)]; }
uint16_t Stop(const Document& d, int day, int train, int s) {
  return d.trainValues[day][train][train::StopInfoIndex(s)];
}

TEST_F(TimetableReaderTest, WorkedExample) {
  // Columns: calc station 3 with a B field, calc station 5 with a T field.
  files.Set("data1.txt", std::string(kHead) + "\t3\tx\ty\tB\t5\tx\ty\tT\t\r\n" +
                             "1\t2\t0\t0\t0\t10\t12\t7\t05\t1\t2\t7\t30\t0\t1\tA\tB\tC\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_TRUE(findings.findings.empty());
  EXPECT_EQ(doc->maxCalcStation, 5);
  const auto& v = doc->trainValues[0][0];
  EXPECT_EQ(v[train::kKind], 1);
  EXPECT_EQ(v[train::kCarType], 2);
  EXPECT_EQ(v[train::kStationA], 10);
  EXPECT_EQ(v[train::kStationB], 12);
  // 7:05 is 425 minutes; the one-minute wait becomes 5; B 2 adds 2 × 2 × 512.
  EXPECT_EQ(Time(*doc, 0, 0, 3), 4250);
  EXPECT_EQ(Stop(*doc, 0, 0, 3), 2053);
  // 7:30; wait 0; T 1 sets bit 9.
  EXPECT_EQ(Time(*doc, 0, 0, 5), 4500);
  EXPECT_EQ(Stop(*doc, 0, 0, 5), 512);
  EXPECT_EQ(Time(*doc, 0, 0, 4), 0) << "stations without a column stay 0";
  EXPECT_EQ(doc->trainTexts[0][0][train::kText1], "A");
  EXPECT_EQ(doc->trainTexts[0][0][train::kText2], "B");
  EXPECT_EQ(doc->trainTexts[0][0][train::kText3], "C");
  EXPECT_EQ(doc->trainValues[0][1][train::kKind], 0);
}

TEST_F(TimetableReaderTest, WaitsAndStopWords) {
  files.Set("data1.txt", std::string(kHead) + "\t1\tx\ty\tB\tT\t2\tx\ty\t3\tx\ty\tt\t4\tx\ty\tb\r\n" +
                             // station 1: wait 1, B 63, T 3; station 2: wait 2; station 3: T -1; station 4: B 65
                             "1\t1\t0\t0\t0\t0\t0" "\t0\t0\t1\t63\t3" "\t0\t0\t2" "\t0\t0\t0\t-1" "\t0\t0\t0\t65\r\n" +
                             // station 1: 200:00, a wait of 52 minutes carries into bit 9; station 4: -1:01
                             "1\t1\t0\t0\t0\t0\t0" "\t200\t0\t52\t0\t0" "\t0\t0\t0" "\t0\t0\t0\t0" "\t-1\t1\t1\t0\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(doc->maxCalcStation, 4);
  EXPECT_EQ(Stop(*doc, 0, 0, 1), (63 * 2 + 1) * 512 + 5);
  EXPECT_EQ(Stop(*doc, 0, 0, 2), 20);
  EXPECT_EQ(Stop(*doc, 0, 0, 3), 0) << "a T field of -1 sets no flag";
  EXPECT_EQ(Stop(*doc, 0, 0, 4), 1024) << "B above 63 loses its high bits";
  EXPECT_EQ(Stop(*doc, 0, 1, 1), 520) << "520 tenths: bit 9 set by the carry";
  EXPECT_EQ(Time(*doc, 0, 1, 1), static_cast<uint16_t>(200 * 600));
  EXPECT_EQ(Time(*doc, 0, 1, 4), static_cast<uint16_t>(-590)) << "-1:01 wraps";
  EXPECT_EQ(Stop(*doc, 0, 1, 4), 5);
}

TEST_F(TimetableReaderTest, ThirtySecondRule) {
  const std::string text = std::string(kHead) + "\t1\tx\ty\r\n1\t1\t0\t0\t0\t0\t0\t8\t0\t1\r\n";
  files.Set("data1.txt", text);
  doc->settings.sec30 = 0;
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(Stop(*doc, 0, 0, 1), 10);
  doc->settings.sec30 = 1;
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(Stop(*doc, 0, 0, 1), 5);
}

TEST_F(TimetableReaderTest, HeaderColumnsEnd) {
  struct Case {
    const char* columns;
    int maxCalcStation;
    int result;
  } cases[] = {
      {"", 0, 1},                          // no columns
      {"\t4\tx\ty\t0\tx\ty\t6", 4, 1},     // 0 ends the header
      {"\t4\tx\ty\tname\tx\ty\t6", 4, 1},  // so does text
      {"\t4\tx\ty\t256\tx\ty\t6", 4, 1},   // 256 is kept as 0
      {"\t300\tx\ty", 44, 1},              // 300 is kept as 44
      {"\t4\tx\ty\t101\tx\ty", 101, 0},    // 101 is out of range
  };
  for (const auto& c : cases) {
    findings.findings.clear();
    doc->maxCalcStation = 77;
    files.Set("data2.txt", std::string(kHead) + c.columns + "\r\n");
    EXPECT_EQ(Read().ReadTimetableFile(2, kSaturday), c.result) << c.columns;
    EXPECT_EQ(doc->maxCalcStation, c.maxCalcStation) << c.columns;
    if (c.result == 0) {
      EXPECT_EQ(OnlyMessage(), Box(66, "data2.txtのヘッダーの計算駅Noが\n1～100以外です"));
    } else {
      EXPECT_TRUE(findings.findings.empty()) << c.columns;
    }
  }
}

TEST_F(TimetableReaderTest, AtMostHundredColumns) {
  std::string header = kHead;
  for (int i = 1; i <= 101; ++i) header += "\t" + std::to_string(i <= 100 ? i : 55) + "\tx\ty";
  std::string trainLine = "1\t1\t0\t0\t0\t0\t0";
  for (int i = 1; i <= 100; ++i) trainLine += "\t1\t" + std::to_string(i % 60) + "\t0";
  trainLine += "\tT1\tT2\tT3";
  files.Set("data1.txt", header + "\r\n" + trainLine + "\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(doc->maxCalcStation, 100);
  EXPECT_EQ(Time(*doc, 0, 0, 100), (60 + 40) * 10);
  EXPECT_EQ(Time(*doc, 0, 0, 55), (60 + 55) * 10) << "the 101st header column is not read";
  EXPECT_EQ(doc->trainTexts[0][0][train::kText1], "T1");
}

TEST_F(TimetableReaderTest, MarkersAreTestedOnTheUntrimmedRest) {
  // " B" starts with a blank: no marker, so the field is read as the next column's number (0).
  files.Set("data1.txt", std::string(kHead) + "\t2\tx\ty\t B\t3\tx\ty\r\n1\t1\t0\t0\t0\t0\t0\t1\t2\t3\t9\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(doc->maxCalcStation, 2);
  EXPECT_EQ(Stop(*doc, 0, 0, 2), 30);
  EXPECT_EQ(doc->trainTexts[0][0][train::kText1], "9");
}

TEST_F(TimetableReaderTest, LaterColumnOfTheSameStationWins) {
  files.Set("data1.txt", std::string(kHead) + "\t2\tx\ty\t2\tx\ty\r\n1\t1\t0\t0\t0\t0\t0\t1\t0\t0\t2\t0\t0\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(Time(*doc, 0, 0, 2), 1200);
}

TEST_F(TimetableReaderTest, TopSkipsOneLine) {
  const std::string text = "title line\r\n" + std::string(kHead) + "\t1\tx\ty\r\n1\t1\t0\t0\t0\t0\t0\t5\t0\t0\r\n";
  files.Set("data1.txt", text);
  doc->settings.top = 1;
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(Time(*doc, 0, 0, 1), 3000);
  // Without top the title is the header and the real header a train of kind 0.
  doc->ResetTables();
  doc->settings.top = 0;
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 0);
  ASSERT_EQ(findings.findings.size(), 2u);
  EXPECT_EQ(findings.findings[0].code, kWarnSeparator) << "a title line has no tabs";
  EXPECT_EQ(findings.findings[1].BoxText(), Box(63, "data1.txtの1行目の種別が\n1～13以外です"));
  EXPECT_EQ(findings.findings[1].line, 2) << "the train's own line, after the header";
}

TEST_F(TimetableReaderTest, TrainChecksInOrder) {
  const struct {
    const char* line;
    int code;
    const char* message;
  } cases[] = {
      {"0\t0\t0\t0\t0\t999\t0", 63, "data3.txtの2行目の種別が\n1～13以外です"},
      {"14\t1\t0\t0\t0\t0\t0", 63, "data3.txtの2行目の種別が\n1～13以外です"},
      {"13\t0\t0\t0\t0\t999\t0", 64, "data3.txtの2行目の車種が\n1～100以外です"},
      {"13\t101\t0\t0\t0\t0\t0", 64, "data3.txtの2行目の車種が\n1～100以外です"},
      {"13\t100\t0\t0\t0\t301\t0", 65, "data3.txtの2行目の駅番号が\n0～300以外です"},
      {"13\t100\t0\t0\t0\t0\t-1", 65, "data3.txtの2行目の駅番号が\n0～300以外です"},
      {"", 63, "data3.txtの2行目の種別が\n1～13以外です"},
  };
  for (const auto& c : cases) {
    doc->ResetTables();
    findings.findings.clear();
    files.Set("data3.txt", std::string(kHead) + "\r\n1\t1\t0\t0\t0\t300\t300\r\n" + c.line + "\tx\r\n" +
                               "1\t1\t0\t0\t0\t0\t0\tnever\r\n");
    EXPECT_EQ(Read().ReadTimetableFile(3, kSunday), 0) << c.line;
    EXPECT_EQ(OnlyMessage(), Box(c.code, c.message)) << c.line;
    EXPECT_EQ(doc->trainValues[2][0][train::kStationA], 300);
    EXPECT_EQ(doc->trainTexts[2][1][train::kText1], c.line[0] ? "x" : "") << "the failing train stays stored";
    EXPECT_EQ(doc->trainTexts[2][2][train::kText1], "") << "reading stopped at it";
  }
}

TEST_F(TimetableReaderTest, TrailingBlankLineIsAKindZeroTrain) {
  files.Set("data1.txt", std::string(kHead) + "\r\n1\t1\t0\t0\t0\t0\t0\r\n\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 0);
  EXPECT_EQ(OnlyMessage(), Box(63, "data1.txtの2行目の種別が\n1～13以外です"));
}

TEST_F(TimetableReaderTest, EmptyFileAndMissingHeader) {
  doc->maxCalcStation = 9;
  files.Set("data1.txt", "");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(doc->maxCalcStation, 0);
  doc->settings.top = 1;
  files.Set("data1.txt", "only a title");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_TRUE(findings.findings.empty());
}

TEST_F(TimetableReaderTest, OnlyThreeThousandTrainsAreRead) {
  std::string text = std::string(kHead) + "\t1\tx\ty\r\n";
  for (int i = 0; i < 3000; ++i) text += "1\t1\t0\t0\t0\t0\t0\t1\t" + std::to_string(i % 60) + "\t0\r\n";
  text += "0\t0\t0\r\n";
  files.Set("data2.txt", text);
  EXPECT_EQ(Read().ReadTimetableFile(2, kSunday), 1);
  EXPECT_EQ(OnlyMessage(), MakeFinding(kWarnLinesDropped, 3000, 0, "", 0).BoxText());
  EXPECT_EQ(findings.findings[0].line, 3002) << "the first line not read";
  EXPECT_EQ(Time(*doc, 2, 2999, 1), (60 + 2999 % 60) * 10);
  EXPECT_EQ(doc->trainValues[0][0][train::kKind], 0) << "only the given day type is filled";
}

TEST_F(TimetableReaderTest, FixedWidthTextsGoToText3) {
  UseSeparation(FormatSettings::kFixedWidth, 4);
  std::string header;
  for (const char* f : {"kind", "car", "v2", "v3", "v4", "A", "B", "   7", "   x", "   y", "T"}) {
    std::string field = f;
    header += field + std::string(4 - field.size(), ' ');
  }
  std::string trainLine = "   1  12   0   0   0   5   6   8  15   1   1  first second  ";
  files.Set("data1.txt", header + "\r\n" + trainLine + "\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_TRUE(findings.findings.empty());
  EXPECT_EQ(doc->maxCalcStation, 7);
  EXPECT_EQ(doc->trainValues[0][0][train::kCarType], 12);
  EXPECT_EQ(Time(*doc, 0, 0, 7), 4950);
  EXPECT_EQ(Stop(*doc, 0, 0, 7), 512 + 5);
  EXPECT_EQ(doc->trainTexts[0][0][train::kText1], "");
  EXPECT_EQ(doc->trainTexts[0][0][train::kText2], "");
  EXPECT_EQ(doc->trainTexts[0][0][train::kText3], "first second");
}

TEST_F(TimetableReaderTest, SchemesReadFilesIntoDayTypes) {
  for (int n = 1; n <= 3; ++n)
    files.Set("data" + std::to_string(n) + ".txt",
              std::string(kHead) + "\t" + std::to_string(n) + "\tx\ty\r\n" + std::to_string(n) + "\t1\t0\t0\t0\t0\t0\r\n");
  // For each scheme, the file (given by its kind) that lands in each day type.
  const int expected[4][3] = {{1, 2, 2}, {1, 1, 1}, {1, 2, 3}, {1, 1, 2}};
  for (int scheme = 0; scheme < 4; ++scheme) {
    doc->ResetTables();
    doc->settings.weekkind = scheme;
    EXPECT_EQ(Read().ReadTimetables(), 1);
    for (int day = 0; day < 3; ++day)
      EXPECT_EQ(doc->trainValues[day][0][train::kKind], expected[scheme][day]) << scheme << "/" << day;
    // maxCalcStation is the last file's header.
    EXPECT_EQ(doc->maxCalcStation, expected[scheme][2]);
  }
  EXPECT_TRUE(findings.findings.empty());
}

TEST_F(TimetableReaderTest, MissingFileStopsTheScheme) {
  files.Set("data1.txt", std::string(kHead) + "\r\n1\t1\t0\t0\t0\t0\t0\r\n");
  doc->settings.weekkind = 1;
  EXPECT_EQ(Read().ReadTimetables(), 1) << "scheme 1 never needs data2.txt";
  EXPECT_EQ(files.OpenCount("data1.txt"), 3) << "a shared file is read for each day type";
  EXPECT_EQ(files.OpenCount("data2.txt"), 0);
  for (int scheme : {0, 3}) {
    doc->ResetTables();
    findings.findings.clear();
    doc->settings.weekkind = scheme;
    EXPECT_EQ(Read().ReadTimetables(), 0);
    EXPECT_EQ(OnlyMessage(), Box(61, "data2.txtが見つかりません"));
    EXPECT_EQ(doc->trainValues[0][0][train::kKind], 1) << "data1.txt was read first";
  }
  findings.findings.clear();
  doc->settings.weekkind = 2;
  files.Set("data2.txt", "");
  files.SetFailingRead("data3.txt", std::string(kHead) + "\r\n1\t1", 12);
  EXPECT_EQ(Read().ReadTimetables(), 0);
  EXPECT_EQ(OnlyMessage(), Box(62, "data3.txtで\n原因不明のエラー発生"));
  EXPECT_EQ(waitCursor.depth(), 0);
  EXPECT_EQ(waitCursor.shows, waitCursor.hides);
}

TEST_F(TimetableReaderTest, OutOfRangeSchemeReadsNothingAndSaysWhy) {
  files.Set("data1.txt", std::string(kHead) + "\r\n1\t1\t0\t0\t0\t0\t0\r\n");
  for (int scheme : {-1, 4, 1000}) {
    findings.findings.clear();
    doc->settings.weekkind = scheme;
    EXPECT_EQ(Read().ReadTimetables(), 0);
    EXPECT_EQ(OnlyMessage(), Box(67, "曜日の設定(weekkind=" + std::to_string(scheme) +
                                         ")が0～3以外のため\n時刻表を読めません"));
  }
  EXPECT_EQ(files.OpenCount("data1.txt"), 0);
}

}  // namespace
}  // namespace orbline
