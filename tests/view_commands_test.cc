#include "view/view_commands.h"

#include <gtest/gtest.h>

#include "document_fixture.h"
#include "tests/memory_profile_store.h"
#include "tests/recording_message_sink.h"

namespace orbline {
namespace {

class ViewCommandsTest : public DocTest {
 protected:
  ViewState state;
  int repaints = 0;
  RecordingMessageSink messages;
  std::unique_ptr<ViewCommands> commands;
  void SetUp() override {
    commands = std::make_unique<ViewCommands>(*doc, state, Services{files, findings, messages, waitCursor},
                                              [this] { ++repaints; });
  }
};

TEST_F(ViewCommandsTest, TestCommandsEmptyTheTablesReadTheirFilesAndRepaintEvenAfterAFailure) {
  files.Set("eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tA\r\n");
  doc->routeInfo[0] = "stale";
  const std::pair<int, const char*> reads[] = {{3, "eki.txt"}, {1, "info.txt"}, {2, "kind.txt"}, {4, "map.txt"},
                                               {5, "map.txt"}, {6, "map.txt"},  {7, "data1.txt"}};
  for (const auto& [mode, file] : reads) {
    const int before = files.OpenCount(file);
    commands->Test(mode);
    EXPECT_EQ(state.displayMode, mode);
    EXPECT_EQ(files.OpenCount(file), before + 1) << mode;
    if (mode == 3) {
      EXPECT_EQ(doc->stationTexts[0][station::kName] + doc->routeInfo[0], "A") << "every table emptied first";
    }
  }
  EXPECT_EQ(repaints, 7);
  EXPECT_EQ(files.OpenCount("info.txt"), 1);
  // Each read of a missing file gave its box, and the display was repainted all the same.
  EXPECT_EQ(findings.findings.size(), 6u);
  EXPECT_EQ(findings.findings[0].BoxText(), Box(21, "info.txtが見つかりません"));
}

TEST_F(ViewCommandsTest, PagesAndGridOnlyRepaint) {
  state.displayMode = 4;
  for (int page : {4, 0, 13}) commands->SelectPage(page);
  EXPECT_EQ(state.eria, 4) << "pages 1 to 12 only";
  EXPECT_EQ(state.displayMode, 4);
  commands->ToggleGrid();
  EXPECT_EQ(state.grid, 0);
  commands->ToggleGrid();
  EXPECT_EQ(state.grid, 1);
  state.grid = 5;
  commands->ToggleGrid();
  EXPECT_EQ(state.grid, 0) << "any nonzero grid turns off";
  EXPECT_EQ(repaints, 4);
  EXPECT_EQ(files.OpenCount("map.txt"), 0) << "nothing is read again";
}

TEST_F(ViewCommandsTest, CompileNeitherChangesTheModeNorRepaints) {
  state.displayMode = 6;
  EXPECT_FALSE(commands->Compile());  // nothing to read here
  EXPECT_EQ(state.displayMode, 6);
  EXPECT_EQ(repaints, 0);
  EXPECT_EQ(OnlyMessage(), Box(21, "info.txtが見つかりません"));
}

TEST(ViewStateTest, ProfileRoundTripWithCorrections) {
  MemoryProfileStore profile;
  ViewState fresh = ViewState::Load(profile);
  EXPECT_EQ(fresh.displayMode, 1);
  EXPECT_EQ(fresh.eria, 1);
  EXPECT_EQ(fresh.grid, 1);
  const struct {
    int mode, eria, grid, wantMode, wantEria;
  } cases[] = {{0, 13, 5, 1, 1}, {8, 0, 0, 1, 1}, {7, 12, -3, 7, 12}, {4, 1, 1, 4, 1}};
  for (const auto& c : cases) {
    profile.WriteInt("mode", "mode", c.mode);
    profile.WriteInt("mode", "eria", c.eria);
    profile.WriteInt("mode", "grid", c.grid);
    ViewState s = ViewState::Load(profile);
    EXPECT_EQ(s.displayMode, c.wantMode);
    EXPECT_EQ(s.eria, c.wantEria);
    EXPECT_EQ(s.grid, c.grid) << "the grid is kept as read";
    MemoryProfileStore out;
    s.Save(out);
    EXPECT_EQ(out.GetInt("mode", "mode", -1), c.wantMode);
    EXPECT_EQ(out.GetInt("mode", "grid", -1), c.grid);
  }
}

}  // namespace
}  // namespace orbline
