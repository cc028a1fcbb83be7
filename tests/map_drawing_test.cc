// The map displays, as recorded canvas operations.
#include "view/map_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "doc_fixture.h"
#include "view/recording_canvas.h"

namespace orbline {
namespace {

using Ops = std::vector<std::string>;

class MapDrawingTest : public DocTest {
 protected:
  // Item i: kind then param1 … param11.
  void Item(int i, std::vector<uint16_t> values, std::string text = "") {
    auto& row = doc->mapValues[i];
    row.fill(0);
    for (size_t k = 0; k < values.size(); ++k) row[k] = values[k];
    doc->mapTexts[i] = std::move(text);
  }
  Ops Draw(int display, int page, int grid = 0) {
    RecordingCanvas canvas;
    DrawMap(canvas, *doc, display, page, grid);
    return canvas.ops();
  }
};

TEST_F(MapDrawingTest, EveryKindDrawsAsItShould) {
  Item(0, {101, 0, 64, 0}, "Title");
  Item(1, {11, 1, 2, 0, 100, 300, 400, 300, 255, 0, 0});
  Item(2, {21, 1, 2, 100, 200});   // index 2: even, x 790
  Item(3, {21, 1, 2, 300, 250});   // index 3: odd, x 890, negative height
  Item(4, {42, 10, 20, 30, 40, 1, 2, 3, 0});
  Item(5, {42, 10, 20, 30, 40, 1, 2, 3, 7});
  Item(6, {44, 50, 60, 255, 255, 0, 0, 0, 256, 1}, "Label");
  Item(7, {44, 50, 60, 0, 0, 0, 24, 1, 1, 0}, "Tate");
  Item(8, {45, 100, 100, 150, 130, 10, 20, 30});
  Item(9, {46, 5, 6, 7, 8, 1, 1, 1});
  Item(10, {47, 100, 100, 150, 130, 300, 20, 30});  // red 300 counts as 44
  Item(11, {48, 1, 2, 3, 4, 5, 6, 7, 0});
  Item(12, {48, 1, 2, 3, 4, 5, 6, 7, 3});
  Item(13, {31, 1, 2, 0, 0, 0, 10, 10, 0, 0, 255});
  const Ops expected = {
      "FillSolidRect 0 0 1000 750 #004000",
      "SelectPen 20 #FF0000", "Line 100 300 400 300", "RestorePen",
      "Ellipse 93 293 107 307", "Ellipse 393 293 407 307",
      "FillSolidRect 790 100 20 100 #000000",
      "FillSolidRect 890 300 20 -50 #000000",
      "SelectPen 1 #010203", "Line 10 20 30 40", "RestorePen",
      "SelectPen 7 #010203", "Line 10 20 30 40", "RestorePen",
      "SelectFont 40 underline", "SetTextColour #FFFF00", "Text 50 60 Label", "SetTextColour #000000", "RestoreFont",
      "SelectFont 24 italic vertical", "SetTextColour #000000", "Text 50 60 Tate", "SetTextColour #000000",
      "RestoreFont",
      "FillSolidRect 100 100 150 130 #0A141E",
      "FillSolidRect 5 6 7 8 #00FFFF",
      "SelectBrush #2C141E", "Ellipse 100 100 150 130", "RestoreBrush",
      "SelectPen 0 #050607", "EllipseOutline 1 2 3 4", "RestorePen",
      "SelectPen 3 #050607", "EllipseOutline 1 2 3 4", "RestorePen",
      "SelectPen 20 #0000FF", "Line 0 0 10 10", "RestorePen",
      "Ellipse -7 -7 7 7", "Ellipse 3 3 17 17",
  };
  EXPECT_EQ(Draw(1, 1), expected);
}

TEST_F(MapDrawingTest, PageLookupAndItsEnd) {
  Item(0, {103, 1, 1, 1});  // bird's-eye page 3: not looked at in the diagram
  Item(1, {46});
  Item(2, {0});
  Item(3, {203, 9, 9, 9}, "Diagram 3");
  Item(4, {43, 5, 5, 5, 5});  // unknown kind: skipped, the page goes on
  Item(5, {45, 1, 1, 1, 1, 1, 1, 1});
  Item(6, {100});  // 100 is no header, just an unknown kind
  Item(7, {46, 2, 2, 2, 2});
  Item(8, {301});  // any header ends the page
  Item(9, {302});  // and a header right after a header leaves its page empty
  Item(10, {46, 3, 3, 3, 3});
  EXPECT_EQ(Draw(2, 3), (Ops{"FillSolidRect 0 0 1000 750 #090909", "FillSolidRect 1 1 1 1 #010101",
                             "FillSolidRect 2 2 2 2 #00FFFF"}));
  // A header after an empty item is found all the same.
  EXPECT_EQ(Draw(1, 3), (Ops{"FillSolidRect 0 0 1000 750 #010101", "FillSolidRect 0 0 0 0 #00FFFF"}));
  // Header followed by a header: background only.
  EXPECT_EQ(Draw(3, 1), (Ops{"FillSolidRect 0 0 1000 750 #000000"}));
  // No page: nothing at all without the grid.
  EXPECT_TRUE(Draw(2, 4).empty());
}

TEST_F(MapDrawingTest, HeaderAsTheLastItem) {
  Item(kMapItemCapacity - 1, {112, 1, 2, 3});
  EXPECT_EQ(Draw(1, 12), (Ops{"FillSolidRect 0 0 1000 750 #010203"}));
}

TEST_F(MapDrawingTest, GridLiesOverTheBackgroundAndUnderTheItems) {
  Item(0, {101, 1, 2, 3});
  Item(1, {46, 1, 1, 1, 1});
  const Ops ops = Draw(1, 1, 1);
  ASSERT_EQ(ops.front(), "FillSolidRect 0 0 1000 750 #010203");
  ASSERT_EQ(ops.back(), "FillSolidRect 1 1 1 1 #00FFFF");
  // Fine lines every 20 in cyan, then coarse ones every 100 over them.
  EXPECT_EQ(ops[1], "SelectPen 1 #00FFFF");
  EXPECT_EQ(ops[2], "Line 0 0 0 750");
  EXPECT_EQ(ops[3], "Line 0 0 1000 0");
  EXPECT_EQ(ops[4], "Line 20 0 20 750");
  EXPECT_EQ(ops[2 + 2 * 49], "Line 980 0 980 750");
  EXPECT_EQ(ops[3 + 2 * 49], "Line 0 980 1000 980");
  EXPECT_EQ(ops[2 + 2 * 50], "RestorePen");
  EXPECT_EQ(ops[3 + 2 * 50], "SelectPen 1 #00B4FF");
  EXPECT_EQ(ops[4 + 2 * 50], "Line 0 0 0 750");
  EXPECT_EQ(ops[4 + 2 * 50 + 2 * 9], "Line 900 0 900 750");
  EXPECT_EQ(ops.size(), 1 + (2 + 100) + (2 + 20) + 1u);
  // With no page the grid still shows, on the view's own background.
  const Ops alone = Draw(3, 5, 7);
  EXPECT_EQ(alone.size(), 124u);
  EXPECT_EQ(alone.front(), "SelectPen 1 #00FFFF");
}

TEST_F(MapDrawingTest, EveryObjectIsReleasedBeforeTheNextItem) {
  // Generated pages: every Select* is followed by its Restore* before anything else is selected.
  files.Set("map.txt", "");
  std::string text = "101\t1\t2\t3\r\n";
  const int kinds[] = {11, 21, 31, 42, 44, 45, 46, 47, 48, 43};
  for (int i = 0; i < 400; ++i) {
    text += std::to_string(kinds[i % 10]);
    for (int k = 1; k <= 11; ++k) text += "\t" + std::to_string((i * 37 + k * 11) % 700);
    text += "\tT" + std::to_string(i) + "\r\n";
  }
  files.Set("map.txt", text);
  ASSERT_EQ(Read().ReadMap(), 1);
  int pens = 0, brushes = 0, fonts = 0;
  for (const std::string& op : Draw(1, 1, 1)) {
    if (op.rfind("SelectPen", 0) == 0) { ASSERT_EQ(pens++, 0); }
    if (op == "RestorePen") { ASSERT_EQ(--pens, 0); }
    if (op.rfind("SelectBrush", 0) == 0) { ASSERT_EQ(brushes++, 0); }
    if (op == "RestoreBrush") { ASSERT_EQ(--brushes, 0); }
    if (op.rfind("SelectFont", 0) == 0) { ASSERT_EQ(fonts++, 0); }
    if (op == "RestoreFont") { ASSERT_EQ(--fonts, 0); }
  }
  EXPECT_EQ(pens + brushes + fonts, 0) << "nothing stays selected";
}

}  // namespace
}  // namespace orbline
