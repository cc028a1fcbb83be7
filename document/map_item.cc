#include "document/map_item.h"

namespace orbline {
namespace {

constexpr int kDefaultLabelHeight = 40;

}  // namespace

int MapItem::ColourParam() const {
  switch (kind()) {
    case kStationLinkA:
    case kStationLinkB: return 8;
    case kLine:
    case kFilledRect:
    case kFilledEllipse:
    case kEllipseOutline: return 5;
    case kLabel: return 3;
    default: return IsPageHeader() ? 1 : 0;
  }
}

Colour MapItem::colour() const {
  if (const int first = ColourParam(); first != 0) return Rgb(param(first), param(first + 1), param(first + 2));
  return kind() == kCyanRect ? kCyan : kBlack;
}

MapItem::Label MapItem::AsLabel() const {
  Label label;
  label.at = {param(1), param(2)};
  label.colour = colour();
  label.height = param(6) == 0 ? kDefaultLabelHeight : param(6);
  label.vertical = param(7) != 0;
  // The font's italic and underline flags are bytes: only the low 8 bits count.
  label.italic = (param(8) & 0xFF) != 0;
  label.underline = (param(9) & 0xFF) != 0;
  return label;
}

}  // namespace orbline
