#pragma once

#include <string>
#include <string_view>

namespace orbline {

enum ViewText : int {
  kTextRouteName,
  kTextVersion,
  kTextAuthor,
  kTextEffectiveDate,
  kTextRemarks,
  kTextKindRow,
  kTextStationLinks,
  kTextStationName,
  kTextStationNameNote,
  kTextMaxCalcStation,
  kTextCoordinates,
  kTextWeekday,
  kTextSaturday,
  kTextSunday,
  kTextTimetableLine,
  // Short names of the map items' kinds.
  kTextPageHeader,
  kTextStationLink,
  kTextStationBar,
  kTextLine,
  kTextLabel,
  kTextFilledRect,
  kTextCyanRect,
  kTextFilledEllipse,
  kTextEllipseOutline,
};

// The text in Shift_JIS.
std::string_view GetViewText(ViewText id);

// printf-style formatting of a Shift_JIS format string with Shift_JIS arguments; widths count bytes.
std::string FormatBytes(const char* format, ...);

// The same with one of the texts above as the format.
template <typename... Args>
std::string FormatSjis(ViewText format, Args... args) {
  return FormatBytes(GetViewText(format).data(), args...);
}

}  // namespace orbline
