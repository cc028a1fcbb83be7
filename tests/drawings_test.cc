// Every display, recorded operation by operation and compared with its approved file in
// tests/approved/: the sample line's displays, and a hand-made line of the edge cases. After a change
// that is meant to alter a drawing, run the tests with ORBLINE_APPROVE=1 to write the files anew, and
// review their diff. Each display is also drawn as SVG, which, read back, must show what the
// recording draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "compiler/route_check.h"
#include "document_fixture.h"
#include "platform/disk_line_reader.h"
#include "platform/memory_line_reader.h"
#include "recording_canvas.h"
#include "test_files.h"
#include "view/display.h"
#include "view/lettering.h"
#include "view/svg_canvas.h"
#include "view/view_state.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

struct Shown {
  int mode, page, grid;
};

// What a recording's marks look like: each with the pen, brush, font or colour it is drawn in and the
// source row it comes from, sizes made positive, empty fills left out, without line breaks, which are
// not drawn.
std::vector<std::string> Seen(const std::vector<std::string>& ops) {
  const std::map<std::string, std::string> defaults = {
      {"Pen", "0 #000000"}, {"Brush", "#FFFFFF"}, {"Font", "listing"}, {"TextColour", "#000000"}};
  auto kept = defaults;
  std::string row = "-";
  std::vector<std::string> seen;
  for (std::string op : ops) {
    std::istringstream in(op);
    std::string name, colour, mark;
    int x = 0, y = 0, cx = 0, cy = 0;
    in >> name;
    for (const std::string verb : {"Select", "Set", "Restore"})
      if (name.starts_with(verb))
        kept[name.substr(verb.size())] = verb == "Restore" ? defaults.at(name.substr(7)) : op.substr(name.size() + 1);
    if (name == "Row") row = op.substr(4);
    std::erase_if(op, [](char c) { return c == '\r' || c == '\n'; });
    if (name == "FillSolidRect" && in >> x >> y >> cx >> cy >> colour && cx != 0 && cy != 0)
      mark = "Fill " + std::to_string(std::min(x, x + cx)) + " " + std::to_string(std::min(y, y + cy)) + " " +
             std::to_string(std::abs(cx)) + " " + std::to_string(std::abs(cy)) + " " + colour;
    if (name == "Line") mark = op + " pen " + kept["Pen"];
    if (name.starts_with("Ellipse")) mark = op + " pen " + kept["Pen"] + (name == "Ellipse" ? " " + kept["Brush"] : "");
    if (name == "Text") mark = op + " | " + kept["Font"] + " " + kept["TextColour"];
    if (!mark.empty()) seen.push_back(mark + " @" + row);
  }
  return seen;
}

using Element = boost::property_tree::ptree;

// The element's own text and that of its children, in order.
std::string TextOf(const Element& e) {
  std::string text = e.data();
  for (const auto& [name, child] : e)
    if (name != "<xmlattr>") text += TextOf(child);
  return text;
}

// Draws on `canvas` what one element of an SVG that SvgCanvas wrote shows, from the row it names,
// then its children. Texts go back to Shift_JIS: those of the lines drawn here all can.
void DrawElement(const std::string& name, const Element& e, Canvas& canvas, std::string file = "") {
  const auto value = [&](const char* attribute) {
    return e.get<std::string>("<xmlattr>." + std::string(attribute), "");
  };
  if (!value("data-file").empty()) file = value("data-file");
  canvas.SetRow(value("data-line").empty() ? SourceRow() : SourceRow{file, std::stoi(value("data-line"))});
  const auto number = [&](const char* attribute) { return std::strtod(value(attribute).c_str(), nullptr); };
  const auto whole = [&](const char* attribute, double add = 0) { return int(std::lround(number(attribute) + add)); };
  const auto colour = [&](const char* attribute) {  // none: black
    const auto rgb =
        static_cast<uint32_t>(std::strtoul(value(attribute).c_str() + (value(attribute).empty() ? 0 : 1), nullptr, 16));
    return Rgb(rgb >> 16, rgb >> 8, rgb);
  };
  const auto has = [&](const std::string& c) {
    return (" " + value("class") + " ").find(" " + c + " ") != std::string::npos;
  };
  canvas.SelectPen(has("h") ? 0 : whole("stroke-width"), colour("stroke"));
  if (name == "rect") canvas.FillSolidRect(whole("x"), whole("y"), whole("width"), whole("height"), colour("fill"));
  std::istringstream path(value("d"));
  for (std::string move; std::getline(path, move, 'M');) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (std::istringstream(move) >> x1 >> y1 >> x2 >> y2) canvas.Line(x1, y1, x2, y2);
  }
  if (name == "ellipse") {
    const double rx = number("rx"), ry = number("ry");
    const int l = whole("cx", -rx), t = whole("cy", -ry), r = whole("cx", rx), b = whole("cy", ry);
    canvas.SelectBrush(colour("fill"));
    value("fill") == "none" ? canvas.EllipseOutline(l, t, r, b) : canvas.Ellipse(l, t, r, b);
  }
  if (name == "text") {
    // The cell's top left: a column hangs from it half a cell left of the window's baseline,
    // other texts stand on a baseline one ascent below it. Italic leans by a shear.
    const FontSpec font{.height = has("l") ? kListingFontHeight : whole("font-size"),
                        .italic = !value("transform").empty(),
                        .underline = has("d"),
                        .vertical = has("v")};
    has("l") ? canvas.RestoreFont() : canvas.SelectFont(font);
    canvas.SetTextColour(colour("fill"));
    const int x = whole("x", font.vertical ? SvgCanvas::kCell * font.height / 2 : 0);
    const int y = whole("y", font.vertical ? 0 : -SvgCanvas::kAscent * font.height);
    canvas.Text(x, y, Utf8ToSjis(TextOf(e)));
    return;
  }
  for (const auto& [childName, child] : e)
    if (childName != "<xmlattr>") DrawElement(childName, child, canvas, file);
}

// Draws on `canvas` what each element of an SVG shows; returns what is not well-formed.
std::string DrawSvg(const std::string& svg, Canvas& canvas) {
  Element document;
  try {
    std::istringstream in(svg);
    boost::property_tree::read_xml(in, document);
  } catch (const boost::property_tree::xml_parser_error& e) {
    return e.what();
  }
  const auto root = document.get_child_optional("svg");
  if (!root) return "no <svg> element";
  // Text that stands between elements is shown by every viewer.
  if (root->data().find_first_not_of(" \n") != std::string::npos) return "text between the elements: " + root->data();
  for (const auto& [name, e] : document) DrawElement(name, e, canvas);
  return "";
}

// The status text and the operations of each display, one after the other.
std::string Record(const Document& doc, const std::vector<Shown>& displays) {
  std::string out;
  for (const Shown& d : displays) {
    ViewState state;
    state.displayMode = d.mode;
    state.eria = d.page;
    state.grid = d.grid;
    RecordingCanvas canvas;
    const std::string status = DrawDisplay(canvas, doc, state);
    out += "== mode " + std::to_string(d.mode) + " page " + std::to_string(d.page) + " grid " + std::to_string(d.grid) +
           ", status \"" + SjisToUtf8(status) + "\"\n";
    SCOPED_TRACE(out.substr(out.rfind("== ")));
    SvgCanvas svg;
    DrawDisplay(svg, doc, state);
    RecordingCanvas shown;
    EXPECT_EQ(DrawSvg(svg.Svg(), shown), "");
    EXPECT_EQ(Seen(shown.ops()), Seen(canvas.ops()));
    for (const std::string& op : canvas.ops()) out += op + "\n";
  }
  return out;
}

void ExpectApproved(const std::string& name, const std::string& recorded) {
  orbline::ExpectApproved(fs::path(ORBLINE_SOURCE_DIR) / "tests" / "approved" / (name + ".txt"), recorded);
}

TEST(DrawingsTest, TheSampleLine) {
  auto doc = std::make_unique<Document>();
  DiskLineReader files(fs::path(ORBLINE_SOURCE_DIR) / "examples" / "sample");
  FindingList findings;
  ASSERT_TRUE(ReadAndCheck(*doc, files, findings, FaultMode::kFirstFault));
  const std::vector<Shown> shown = {{1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {3, 2, 0}, {4, 1, 1}, {4, 2, 0},
                                    {5, 1, 0}, {5, 2, 0}, {6, 1, 0}, {7, 1, 0}, {7, 10, 0}};
  ExpectApproved("sample", Record(*doc, shown));
}

// Sets item i: kind, then param1 … param11.
void Item(Document& doc, int i, std::vector<uint16_t> values, std::string text = "") {
  MapItem& item = doc.mapItems[i];
  item.values.fill(0);
  for (size_t k = 0; k < values.size(); ++k) item.values[k] = values[k];
  item.text = std::move(text);
}

TEST(DrawingsTest, EdgeCases) {
  auto d = std::make_unique<Document>();
  Document& doc = *d;
  // Every kind of map item on bird's-eye page 1, then pages that end early, one after an empty item,
  // and a header as the last item of the table.
  Item(doc, 0, {101, 0, 64, 0}, "Title");
  Item(doc, 1, {11, 1, 2, 0, 100, 300, 400, 300, 255, 0, 0});
  Item(doc, 2, {21, 1, 2, 100, 200});  // index 2: x 790
  Item(doc, 3, {21, 1, 2, 300, 250});  // index 3: x 890, a negative height
  Item(doc, 4, {42, 10, 20, 30, 40, 1, 2, 3, 0});
  Item(doc, 5, {42, 10, 20, 30, 40, 1, 2, 3, 7});
  Item(doc, 6, {44, 50, 60, 255, 255, 0, 0, 0, 256, 1}, "Label");  // height 40; italic's low 8 bits are 0
  Item(doc, 7, {44, 50, 60, 0, 0, 0, 24, 1, 1, 1}, Sjis("縦書き"));
  Item(doc, 8, {45, 100, 100, 150, 130, 10, 20, 30});
  Item(doc, 9, {46, 5, 6, 7, 8, 1, 1, 1});
  Item(doc, 10, {47, 100, 100, 150, 130, 300, 20, 30});  // red 300 counts as 44
  Item(doc, 11, {48, 1, 2, 3, 4, 5, 6, 7, 0});
  Item(doc, 12, {48, 1, 2, 3, 4, 5, 6, 7, 3});
  Item(doc, 13, {31, 1, 2, 0, 0, 0, 10, 10, 0, 0, 255});
  Item(doc, 14, {43, 5, 5, 5, 5});  // an unknown kind is skipped, the page goes on
  Item(doc, 15, {100});             // 100 is no header
  Item(doc, 16, {46, 2, 2, 2, 2});
  Item(doc, 17, {302});  // any header ends the page, and a header right after it leaves its page empty
  Item(doc, 18, {301, 9, 9, 9});
  Item(doc, 19, {0});
  Item(doc, 20, {203, 9, 9, 9}, Sjis("ダイヤ"));  // found after the empty item all the same
  Item(doc, 21, {46, 3, 3, 3, 3});
  Item(doc, kMapItemCapacity - 1, {112, 1, 2, 3});
  // Kinds: a row with only its second text, then an empty row that ends the listing.
  doc.kinds[0].colour = 0x0000FF;
  doc.kinds[1].colour = 0x00FF00;
  doc.kinds[0].texts = {"", "second"};
  doc.kinds[2].texts = {"after", "the end"};
  // Stations: a value of 65535, a label longer than six bytes, a note; page 2 starts with an empty name.
  doc.routeInfo.texts = {"Line", "1.0", Sjis("作者"), "", "a\r\nb"};
  for (int i = 0; i < 20; ++i) {
    Station& s = doc.stations[i];
    s.label = i == 1 ? "LONGLABEL" : "L";
    s.name = "S" + std::to_string(i);
    s.note = i == 2 ? "note" : "";
    s.values.fill(static_cast<uint16_t>(i));
  }
  doc.stations[0].values[Station::kLink1To] = 65535;
  doc.stations[15].name = "";
  // Timetables: a Saturday train on page 12, and maxCalcStation beyond the 207 values a train holds.
  doc.maxCalcStation = 3;
  auto& v = doc.trains[kSaturday][56].values;
  const uint16_t header[7] = {2, 65535, 3, 4, 5, 6, 7};
  for (int k = 0; k < 7; ++k) v[k] = header[k];
  v[Train::TimeIndex(1)] = 5430;  // 9:3, tenths dropped
  v[Train::StopIndex(1)] = 2053;
  v[Train::TimeIndex(3)] = 14399;  // 23:59
  v[Train::StopIndex(3)] = 65535;
  doc.trains[kSaturday][56].texts = {"a", Sjis("急行"), "c"};
  doc.trains[kSaturday][57].values[Train::kKind] = 1;
  doc.trains[kSaturday][57].values[Train::TimeIndex(1)] = 7200;  // 12:00
  const std::vector<Shown> shown = {{4, 1, 0},  {5, 3, 0}, {6, 1, 0}, {6, 2, 0}, {5, 4, 0}, {6, 5, 1},
                                    {4, 12, 0}, {1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {3, 2, 0}, {7, 12, 0}};
  std::string recorded = Record(doc, shown);
  doc.maxCalcStation = 255;
  doc.trains[kWeekday][0].values[206] = 7;
  for (int weekkind = 0; weekkind < 5; ++weekkind) {
    doc.settings.weekkind = weekkind;  // the ticks join the day types of one file
    recorded += "weekkind " + std::to_string(weekkind) + "\n" + Record(doc, {{7, 1, 0}});
  }
  // Trains name the line of their file, the skipped first line and the header counted: 3 and 4.
  doc.ResetTables();
  doc.settings.top = 1;
  doc.settings.weekkind = 0;  // Saturday and Sunday from data2.txt
  MemoryLineReader files;
  for (const char* name : {"data1.txt", "data2.txt"})
    files.Set(name, "skipped\nk\tc\t2\t3\t4\tA\tB\n1\t1\t0\t0\t0\t0\t0\n2\t1\t0\t0\t0\t0\t0\n");
  FindingList findings;
  EXPECT_TRUE(SourceReader(doc, files, findings).ReadTimetables());
  ExpectApproved("edges", recorded + "top 1, weekkind 0\n" + Record(doc, {{7, 1, 0}}));
}

TEST(DrawingsTest, ClickCoordinatesOnlyInMapModes) {
  ViewState state;
  for (int mode = 1; mode <= 7; ++mode) {
    state.displayMode = mode;
    EXPECT_EQ(CoordinateMessage(state, 799, 300, 800, 600).has_value(), mode >= 4 && mode <= 6) << mode;
  }
  state.displayMode = 5;
  // Near the right edge lx is 999, rounded to 1000; halves round up.
  EXPECT_EQ(*CoordinateMessage(state, 799, 300, 800, 600), Sjis("(x,y)=(998,375)≒(1000,380)"));
  EXPECT_EQ(*CoordinateMessage(state, 1599, 0, 1600, 600), Sjis("(x,y)=(999,0)≒(1000,0)"));
  EXPECT_EQ(*CoordinateMessage(state, 4, 4, 1000, 750), Sjis("(x,y)=(4,4)≒(0,0)"));
  EXPECT_EQ(ToLogical(333, 333, 1000, 1000).y, 249) << "truncated";
  for (const auto& [width, height] : {std::pair{0, 600}, {800, 0}, {-1, 600}, {800, -1}})
    EXPECT_EQ(ToLogical(10, 10, width, height).x + ToLogical(10, 10, width, height).y, 0) << "a window of no size";
}

}  // namespace
}  // namespace orbline
