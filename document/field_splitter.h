#pragma once

#include <string_view>

#include "document/format_settings.h"
#include "document/number.h"

namespace orbline {

// Removes single-byte white space (blank, tab, CR, LF, VT, FF) from both ends. A full-width
// space is not white space.
std::string_view TrimBlanks(std::string_view s);

// Cuts fields off the front of a source line by the separation settings. Fields are views into
// the line: nothing is copied, so reading a line is linear in its length.
class FieldSplitter {
 public:
  FieldSplitter(const FormatSettings& settings, std::string_view delimiter)
      : fixedWidth_(settings.kugiri == FormatSettings::kFixedWidth),
        width_(settings.kankaku),
        // The delimiter is one single-byte character, or empty when kugiri is out of range.
        delimiter_(delimiter.empty() ? -1 : static_cast<unsigned char>(delimiter[0])) {}

  // Removes the next field (and, with a delimiter, the delimiter after it) from the front of
  // `line` and returns it. `takeRest` makes a fixed-width field the whole rest of the line.
  std::string_view Split(std::string_view& line, bool takeRest) const {
    return fixedWidth_ ? SplitFixed(line, takeRest) : SplitDelimited(line);
  }

  // Atoi(Split(line, false)) in one pass over the bytes: the numbers of a timetable are most of
  // what is read. A number written in full-width digits reads as 0, and is noted.
  int32_t SplitInt(std::string_view& line) {
    if (fixedWidth_ || delimiter_ < 0) {
      const std::string_view field = TrimBlanks(Split(line, false));
      if (StartsWithWideDigit(field.data(), field.data() + field.size())) sawWideDigit_ = true;
      return Atoi(field);
    }
    const char d = static_cast<char>(delimiter_);
    const char* p = line.data();
    const char* const end = p + line.size();
    bool negative = false;
    uint32_t value = 0;
    if (p < end && IsDigit(*p)) {
      // Most fields are plain digits.
      do value = value * 10u + uint32_t(*p++ - '0');
      while (p < end && IsDigit(*p));
    } else {
      // The field ends at the delimiter, so white space is skipped only up to it (in space mode a
      // blank is the delimiter). Signs and digits are never a delimiter.
      while (p < end && *p != d && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) ++p;
      if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
      if (p < end && IsDigit(*p)) {
        do value = value * 10u + uint32_t(*p++ - '0');
        while (p < end && IsDigit(*p));
      } else if (StartsWithWideDigit(p, end)) {
        sawWideDigit_ = true;
      }
    }
    while (p < end && *p != d) ++p;
    line = p < end ? std::string_view(p + 1, end - p - 1) : std::string_view();
    return static_cast<int32_t>(negative ? 0u - value : value);
  }

  // True once when a number since the last call was written in full-width digits ("１２").
  bool TakeWideDigit() {
    const bool saw = sawWideDigit_;
    sawWideDigit_ = false;
    return saw;
  }

 private:
  static bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') <= 9; }

  // The Shift_JIS full-width digits "０".."９" are 82 4F .. 82 58.
  static bool StartsWithWideDigit(const char* p, const char* end) {
    return end - p >= 2 && static_cast<unsigned char>(p[0]) == 0x82 && static_cast<unsigned char>(p[1]) >= 0x4F &&
           static_cast<unsigned char>(p[1]) <= 0x58;
  }

  std::string_view SplitFixed(std::string_view& line, bool takeRest) const;

  // The three delimiters are never a trail byte of a double-byte Shift_JIS character (those are
  // 0x40..0xFC), so the first delimiter byte is the first delimiter character: stepping over
  // double-byte characters finds the same place as this plain byte scan.
  std::string_view SplitDelimited(std::string_view& line) const {
    const char* p = line.data();
    const size_t n = line.size();
    size_t i = 0;
    if (delimiter_ >= 0) {
      const char d = static_cast<char>(delimiter_);
      while (i < n && p[i] != d) ++i;
    } else {
      i = n;
    }
    std::string_view field(p, i);
    line = i < n ? std::string_view(p + i + 1, n - i - 1) : std::string_view();
    return field;
  }

  bool fixedWidth_;
  int width_;
  int delimiter_;
  bool sawWideDigit_ = false;
};

}  // namespace orbline
