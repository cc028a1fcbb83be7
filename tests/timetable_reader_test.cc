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
  EXPECT_EQ((std::vector<int>{v[0], v[1], v[5], v[6]}), (std::vector<int>{1, 2, 10, 12}));
  // 7:05 is 425 minutes; the one-minute wait becomes 5; B 2 adds 2 × 2 × 512. 7:30, T 1 sets bit 9.
  EXPECT_EQ((std::vector<int>{Time(*doc, 0, 0, 3), Stop(*doc, 0, 0, 3), Time(*doc, 0, 0, 5), Stop(*doc, 0, 0, 5),
                              Time(*doc, 0, 0, 4)}),
            (std::vector<int>{4250, 2053, 4500, 512, 0}));
  EXPECT_EQ(doc->trainTexts[0][0][0] + doc->trainTexts[0][0][1] + doc->trainTexts[0][0][2], "ABC");
  EXPECT_EQ(doc->trainValues[0][1][train::kKind], 0);
}

TEST_F(TimetableReaderTest, WaitsStopWordsAndTimesIn16Bits) {
  files.Set("data1.txt", std::string(kHead) + "\t1\tx\ty\tB\tT\t2\tx\ty\t3\tx\ty\tt\t4\tx\ty\tb\t2\tx\ty\r\n" +
                             // station 1: wait 1, B 63, T 3; station 2: wait 2 (then again, later); 3: T -1; 4: B 65
                             "1\t1\t0\t0\t0\t0\t0" "\t0\t0\t1\t63\t3" "\t0\t0\t2" "\t0\t0\t0\t-1" "\t0\t0\t0\t65"
                             "\t1\t0\t7\r\n" +
                             // 200:00 and a wait of 52 minutes, which carries into bit 9; station 4: -1:01
                             "1\t1\t0\t0\t0\t0\t0" "\t200\t0\t52\t0\t0" "\t0\t0\t0" "\t0\t0\t0\t0" "\t-1\t1\t1\t0"
                             "\t0\t0\t0\r\n");
  doc->settings.sec30 = 0;
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(Stop(*doc, 0, 0, 1), (63 * 2 + 1) * 512 + 10) << "without the 30-second rule a minute is 10";
  doc->settings.sec30 = 1;
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(doc->maxCalcStation, 4);
  EXPECT_EQ((std::vector<int>{Stop(*doc, 0, 0, 1), Stop(*doc, 0, 0, 2), Time(*doc, 0, 0, 2), Stop(*doc, 0, 0, 3),
                              Stop(*doc, 0, 0, 4), Stop(*doc, 0, 1, 1), Time(*doc, 0, 1, 1), Time(*doc, 0, 1, 4),
                              Stop(*doc, 0, 1, 4)}),
            (std::vector<int>{(63 * 2 + 1) * 512 + 5, 70, 600, 0, 1024, 520, uint16_t(200 * 600), uint16_t(-590), 5}))
      << "the later column of a station wins; T -1 sets nothing; B 65 loses its high bits";
}

TEST_F(TimetableReaderTest, HeaderColumns) {
  const struct {
    const char* columns;
    int maxCalcStation, result;
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
    EXPECT_EQ(findings.findings.size(), c.result == 0 ? 1u : 0u) << c.columns;
  }
  // At most 100 groups; " B" starts with a blank, so it is no marker but the next number (0).
  std::string header = kHead, train = "1\t1\t0\t0\t0\t0\t0";
  for (int i = 1; i <= 100; ++i) header += "\t" + std::to_string(i) + "\tx\ty";
  for (int i = 1; i <= 100; ++i) train += "\t1\t" + std::to_string(i % 60) + "\t0";
  files.Set("data1.txt", header + "\t55\tx\ty\r\n" + train + "\tT1\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(Time(*doc, 0, 0, 55) * 1000 + doc->maxCalcStation, (60 + 55) * 10 * 1000 + 100);
  EXPECT_EQ(doc->trainTexts[0][0][0], "T1");
  files.Set("data1.txt", std::string(kHead) + "\t2\tx\ty\t B\t3\tx\ty\r\n1\t1\t0\t0\t0\t0\t0\t1\t2\t3\t9\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(doc->maxCalcStation * 100 + Stop(*doc, 0, 0, 2), 200 + 30);
  EXPECT_EQ(doc->trainTexts[0][0][0], "9");
}

TEST_F(TimetableReaderTest, TrainChecksInOrderEachStoppingAtItsTrain) {
  const struct {
    const char* line;
    int code;
  } cases[] = {
      {"0\t0\t0\t0\t0\t999\t0", kErrDataKind},        {"14\t1\t0\t0\t0\t0\t0", kErrDataKind},
      {"13\t0\t0\t0\t0\t999\t0", kErrDataCarType},    {"13\t101\t0\t0\t0\t0\t0", kErrDataCarType},
      {"13\t100\t0\t0\t0\t301\t0", kErrDataStation},  {"13\t100\t0\t0\t0\t0\t-1", kErrDataStation},
      {"", kErrDataKind},
  };
  doc->settings.top = 1;
  for (const auto& c : cases) {
    doc->ResetTables();
    findings.findings.clear();
    files.Set("data3.txt", "title\r\n" + std::string(kHead) + "\r\n1\t1\t0\t0\t0\t300\t300\r\n" + c.line + "\tx\r\n" +
                               "1\t1\t0\t0\t0\t0\t0\tnever\r\n");
    EXPECT_EQ(Read().ReadTimetableFile(3, kSunday), 0) << c.line;
    // The message numbers the train, the finding its line: the title and the header counted.
    EXPECT_EQ(OnlyMessage(), MakeFinding(c.code, 3, 2, "", 0).BoxText()) << c.line;
    EXPECT_EQ(findings.findings[0].line, 4);
    EXPECT_EQ(doc->trainTexts[2][1][0], c.line[0] ? "x" : "") << "the failing train stays stored";
    EXPECT_EQ(doc->trainTexts[2][2][0], "") << "reading stopped at it";
  }
}

TEST_F(TimetableReaderTest, EmptyFilesThreeThousandTrainsAndFixedWidthTexts) {
  doc->maxCalcStation = 9;
  files.Set("data1.txt", "");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ(doc->maxCalcStation, 0);
  std::string text = std::string(kHead) + "\t1\tx\ty\r\n";
  for (int i = 0; i < 3000; ++i) text += "1\t1\t0\t0\t0\t0\t0\t1\t" + std::to_string(i % 60) + "\t0\r\n";
  files.Set("data2.txt", text + "0\t0\t0\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(2, kSunday), 1);
  EXPECT_EQ(Time(*doc, 2, 2999, 1), (60 + 2999 % 60) * 10);
  EXPECT_EQ(doc->trainValues[0][0][train::kKind], 0) << "only the given day type is filled";
  ASSERT_EQ(findings.findings.size(), 1u);
  EXPECT_EQ(findings.findings[0].line, 3002) << "the first line not read";
  UseSeparation(FormatSettings::kFixedWidth, 4);
  files.Set("data1.txt", "kindcar v2  v3  v4  A   B      7   x   yT   \r\n"
                         "   1  12   0   0   0   5   6   8  15   1   1  first second  \r\n");
  EXPECT_EQ(Read().ReadTimetableFile(1, kWeekday), 1);
  EXPECT_EQ((std::vector<int>{doc->maxCalcStation, doc->trainValues[0][0][1], Time(*doc, 0, 0, 7), Stop(*doc, 0, 0, 7)}),
            (std::vector<int>{7, 12, 4950, 512 + 5}));
  const auto& t = doc->trainTexts[0][0];
  EXPECT_EQ(t[0] + "|" + t[1] + "|" + t[2], "||first second");
}

TEST_F(TimetableReaderTest, SchemesReadFilesIntoDayTypes) {
  for (int n = 1; n <= 3; ++n)
    files.Set("data" + std::to_string(n) + ".txt",
              std::string(kHead) + "\t" + std::to_string(n) + "\tx\ty\r\n" + std::to_string(n) + "\t1\t0\t0\t0\t0\t0\r\n");
  // For each scheme, the file (given by its kind) that lands in each day type; maxCalcStation is
  // the header of the file read last.
  const int expected[4][3] = {{1, 2, 2}, {1, 1, 1}, {1, 2, 3}, {1, 1, 2}};
  for (int scheme = 0; scheme < 4; ++scheme) {
    doc->ResetTables();
    doc->settings.weekkind = scheme;
    EXPECT_EQ(Read().ReadTimetables(), 1);
    for (int day = 0; day < 3; ++day)
      EXPECT_EQ(doc->trainValues[day][0][train::kKind], expected[scheme][day]) << scheme << "/" << day;
    EXPECT_EQ(doc->maxCalcStation, expected[scheme][2]);
  }
  EXPECT_TRUE(findings.findings.empty());
}

TEST_F(TimetableReaderTest, AMissingFileStopsTheSchemeAndABadSchemeReadsNothing) {
  files.Set("data1.txt", std::string(kHead) + "\r\n1\t1\t0\t0\t0\t0\t0\r\n");
  doc->settings.weekkind = 1;
  EXPECT_EQ(Read().ReadTimetables(), 1) << "scheme 1 never needs data2.txt";
  EXPECT_EQ(files.OpenCount("data1.txt"), 3) << "a shared file is read for each day type";
  EXPECT_EQ(files.OpenCount("data2.txt"), 0);
  for (int scheme : {0, 3}) {
    doc->ResetTables();
    doc->settings.weekkind = scheme;
    EXPECT_EQ(Read().ReadTimetables(), 0);
    EXPECT_EQ(doc->trainValues[0][0][train::kKind], 1) << "data1.txt was read first";
  }
  doc->settings.weekkind = 2;
  files.Set("data2.txt", "");
  files.SetFailingRead("data3.txt", std::string(kHead) + "\r\n1\t1", 12);
  EXPECT_EQ(Read().ReadTimetables(), 0);
  for (int scheme : {-1, 4}) {
    doc->settings.weekkind = scheme;
    EXPECT_EQ(Read().ReadTimetables(), 0);
  }
  std::vector<std::string> places;
  for (const Finding& f : findings.findings) places.push_back(f.file + " " + std::to_string(f.code) + " " + std::to_string(f.a));
  EXPECT_EQ(places, (std::vector<std::string>{"data2.txt 61 2", "data2.txt 61 2", "data3.txt 62 3", " 67 -1", " 67 4"}));
  EXPECT_EQ(files.OpenCount("data1.txt"), 3 + 1 + 2 + 1) << "a bad scheme opens nothing";
  EXPECT_EQ(waitCursor.depth(), 0);
  EXPECT_EQ(waitCursor.shows, waitCursor.hides);
}

}  // namespace
}  // namespace orbline
