#include "platform/wait_cursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace orbline {
namespace {

class RecordingCursor : public WaitCursor {
 public:
  std::vector<bool> shown;

 protected:
  void Show(bool busy) override { shown.push_back(busy); }
};

TEST(WaitCursorTest, NestedCallsShowOnceUntilTheOutermostEndAndAnUnmatchedEndIsHarmless) {
  RecordingCursor cursor;
  cursor.End();
  {
    WaitCursorGuard outer(cursor);
    {
      WaitCursorGuard inner(cursor);
      EXPECT_EQ(cursor.depth(), 2);
    }
    EXPECT_EQ(cursor.shown, (std::vector<bool>{true})) << "still busy after the inner end";
  }
  EXPECT_EQ(cursor.shown, (std::vector<bool>{true, false}));
  EXPECT_EQ(cursor.depth(), 0);
}

}  // namespace
}  // namespace orbline
