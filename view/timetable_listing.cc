#include "view/timetable_listing.h"

#include "document/day_type_scheme.h"
#include "document/document.h"
#include "document/source_file_names.h"
#include "view/canvas.h"
#include "view/view_texts.h"

namespace orbline {
namespace {

constexpr int kTrainsPerPage = 5;

// A stored time (tenths of a minute) as hours and minutes, tenths dropped.
int Hours(uint16_t time) { return time / 600; }
int Minutes(uint16_t time) { return time % 600 / 10; }

// The line of its timetable file a train was read from, the header and a skipped first line
// counted; none for a slot no line filled.
SourceRow RowOf(const Document& doc, int dayType, const Train& train) {
  const int file = doc.dayTypeFile[dayType];
  if (file < 1 || file > kTimetableFileCount || train.line == 0) return {};
  return {StoredTimetableFileName(file), train.line};
}

}  // namespace

void DrawTimetable(Canvas& canvas, const Document& doc, int page) {
  if (page < 1 || page > kPageCount) return;
  const ViewText labels[kDayTypeCount] = {kTextWeekday, kTextSaturday, kTextSunday};
  // The last stop is that of maxCalcStation; past a train's 207 values (only after a failed read
  // left maxCalcStation above 100) it shows as 0.
  const int last = doc.maxCalcStation;
  auto value = [](const Train& train, long index) -> int {
    return index >= 0 && index < Train::kValueCount ? train.values[index] : 0;
  };
  for (int t = 0; t < kDayTypeCount; ++t) {
    const int baseY = 100 + 250 * t;
    const std::string label(GetViewText(labels[t]));
    for (int k = 0; k < kTrainsPerPage; ++k) {
      const Train& train = doc.trains[t][kTrainsPerPage * (page - 1) + k];
      const auto& v = train.values;
      const auto firstTime = static_cast<uint16_t>(value(train, Train::TimeIndex(1)));
      const auto lastTime = static_cast<uint16_t>(value(train, Train::TimeIndex(last)));
      canvas.SetRow(RowOf(doc, t, train));
      canvas.Text(50, baseY - 80 + 40 * k,
                  FormatSjis(kTextTimetableLine, label.c_str(), v[0], v[1], v[2], v[3], v[4], v[5], v[6],
                             Hours(firstTime), Minutes(firstTime), value(train, Train::StopIndex(1)), Hours(lastTime),
                             Minutes(lastTime), value(train, Train::StopIndex(last)), train.texts[0].c_str(),
                             train.texts[1].c_str(), train.texts[2].c_str()));
    }
    canvas.SetRow({});  // the ticks belong to no row
    canvas.Line(20, baseY, 40, baseY);
  }
  // Day types read from one timetable file are joined.
  const int weekkind = doc.settings.weekkind;
  if (ShareTimetable(weekkind, kWeekday, kSaturday)) canvas.Line(20, 100, 20, 350);
  if (ShareTimetable(weekkind, kSaturday, kSunday)) canvas.Line(20, 350, 20, 600);
}

}  // namespace orbline
