#include "view/row_description.h"

#include "document/document.h"
#include "document/source_file_names.h"
#include "view/view_texts.h"

namespace orbline {
namespace {

// The short name of a map item's kind; empty for a kind that draws nothing.
std::string_view KindName(const MapItem& item) {
  if (item.IsPageHeader()) return GetViewText(kTextPageHeader);
  switch (item.kind()) {
    case MapItem::kStationLinkA:
    case MapItem::kStationLinkB: return GetViewText(kTextStationLink);
    case MapItem::kStationBar: return GetViewText(kTextStationBar);
    case MapItem::kLine: return GetViewText(kTextLine);
    case MapItem::kLabel: return GetViewText(kTextLabel);
    case MapItem::kFilledRect: return GetViewText(kTextFilledRect);
    case MapItem::kCyanRect: return GetViewText(kTextCyanRect);
    case MapItem::kFilledEllipse: return GetViewText(kTextFilledEllipse);
    case MapItem::kEllipseOutline: return GetViewText(kTextEllipseOutline);
    default: return {};
  }
}

}  // namespace

std::string DescribeRow(const Document& doc, const SourceRow& row) {
  if (row.empty()) return {};
  std::string text = std::string(row.file) + ':' + std::to_string(row.line);
  if (row.file != kMapFile) return text;
  for (int i = 0; i < kMapItemCapacity; ++i) {
    const MapItem& item = doc.mapItems[i];
    if (SourceLine(item, i) != row.line) continue;
    text += "  " + std::to_string(item.kind());
    for (const std::string_view part : {KindName(item), std::string_view(item.text)})
      if (!part.empty()) (text += ' ') += part;
    break;
  }
  return text;
}

}  // namespace orbline
