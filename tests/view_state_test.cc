// The display state and the test commands' reading, without a window.
#include "view/view_state.h"

#include <gtest/gtest.h>

#include "document_fixture.h"
#include "tests/memory_profile_store.h"

namespace orbline {
namespace {

using ReadForDisplayTest = DocTest;

TEST_F(ReadForDisplayTest, EachDisplayEmptiesTheTablesAndReadsItsFilesOnly) {
  files.Set("eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tA\r\n");
  doc->routeInfo.texts[0] = "stale";
  const std::pair<int, const char*> reads[] = {{3, "eki.txt"}, {1, "info.txt"}, {2, "kind.txt"}, {4, "map.txt"},
                                               {5, "map.txt"}, {6, "map.txt"},  {7, "data1.txt"}};
  for (const auto& [mode, file] : reads) {
    const int before = files.OpenCount(file);
    EXPECT_EQ(ReadForDisplay(*doc, files, findings, mode), mode == 3) << mode;
    EXPECT_EQ(files.OpenCount(file), before + 1) << mode;
    if (mode == 3) {
      EXPECT_EQ(doc->stations[0].name + doc->routeInfo.texts[0], "A") << "every table emptied first";
    }
  }
  EXPECT_EQ(files.OpenCount("info.txt"), 1);
  EXPECT_EQ(files.OpenCount("eki.txt"), 1);
  EXPECT_TRUE(ReadForDisplay(*doc, files, findings, 8)) << "no display, nothing to read";
  EXPECT_EQ(doc->stations[0].name, "") << "but the tables are emptied all the same";
  // Each read of a missing file reported its fault.
  EXPECT_EQ(findings.findings.size(), 6u);
  EXPECT_EQ(findings.findings[0].BoxText(), "error 21\n\n" + Sjis("info.txtが見つかりません"));
}

TEST(ViewStateTest, PagesOneToTwelveAndTheGrid) {
  ViewState state;
  EXPECT_TRUE(state.SelectPage(12));
  for (int page : {0, 13}) EXPECT_FALSE(state.SelectPage(page));
  EXPECT_EQ(state.eria, 12) << "pages 1 to 12 only";
  state.ToggleGrid();
  EXPECT_EQ(state.grid, 0);
  state.ToggleGrid();
  EXPECT_EQ(state.grid, 1);
  state.grid = 5;
  state.ToggleGrid();
  EXPECT_EQ(state.grid, 0) << "any nonzero grid turns off";
}

TEST(ViewStateTest, ProfileRoundTripWithCorrections) {
  const auto shown = [](const ViewState& s) { return std::vector<int>{s.displayMode, s.eria, s.grid}; };
  MemoryProfileStore profile;
  EXPECT_EQ(shown(ViewState::Load(profile)), (std::vector<int>{1, 1, 1}));
  const struct {
    int mode, eria, grid, wantMode, wantEria;
  } cases[] = {{0, 13, 5, 1, 1}, {8, 0, 0, 1, 1}, {7, 12, -3, 7, 12}, {4, 1, 1, 4, 1}};
  for (const auto& c : cases) {
    profile.WriteInt("mode", "mode", c.mode);
    profile.WriteInt("mode", "eria", c.eria);
    profile.WriteInt("mode", "grid", c.grid);
    const ViewState s = ViewState::Load(profile);
    EXPECT_EQ(shown(s), (std::vector<int>{c.wantMode, c.wantEria, c.grid})) << "the grid is kept as read";
    MemoryProfileStore out;
    s.Save(out);
    EXPECT_EQ((std::vector<int>{out.GetInt("mode", "mode", -1), out.GetInt("mode", "eria", -1),
                                out.GetInt("mode", "grid", -1)}),
              shown(s));
  }
}

}  // namespace
}  // namespace orbline
