#include "view/vertical_text.h"

#include <hb.h>
#include <QByteArray>
#include <QTextLayout>

#include <iterator>

#include "platform/sjis.h"
#include "view/vertical_runs.h"

namespace orbline {
namespace {

// The character at `i` and how many UTF-16 units it takes.
char32_t CodePointAt(const QString& text, int i, int* units) {
  if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
    *units = 2;
    return QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
  }
  *units = 1;
  return text.at(i).unicode();
}

// HarfBuzz reads the face's tables through Qt, which already has the face open.
hb_blob_t* ReferenceTable(hb_face_t*, hb_tag_t tag, void* face) {
  char name[5];
  hb_tag_to_string(tag, name);
  name[4] = '\0';
  auto* data = new QByteArray(static_cast<const QRawFont*>(face)->fontTable(name));
  if (data->isEmpty()) {
    delete data;
    return nullptr;
  }
  return hb_blob_create(data->constData(), static_cast<unsigned>(data->size()), HB_MEMORY_MODE_READONLY, data,
                        [](void* p) { delete static_cast<QByteArray*>(p); });
}

constexpr hb_feature_t kVerticalForms[] = {
    {HB_TAG('v', 'e', 'r', 't'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
    {HB_TAG('v', 'r', 't', '2'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
};

// Lays out `piece`, which the face lacks, as horizontal text is, in the faces Qt falls back on:
// turned, as one line; upright, one character standing in a square `em` high. Returns where the
// column goes on below it.
double FallBack(const QFont& font, const QString& piece, bool upright, double em, double ascent, double column,
                double down, VerticalText& result) {
  QTextLayout layout(piece, font);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  const double width = line.naturalTextWidth();
  const QPointF offset =
      upright ? QPointF(-(column + width) / 2, down + ascent - line.ascent()) : QPointF(0, ascent - line.ascent());
  for (QGlyphRun glyphs : layout.glyphRuns()) {
    QList<QPointF> positions = glyphs.positions();
    for (QPointF& p : positions) p += offset;
    glyphs.setPositions(positions);
    result.runs.push_back({!upright, std::move(glyphs), down});
  }
  return down + (upright ? em : width);
}

}  // namespace

VerticalShaper::VerticalShaper(const QRawFont& face) {
  hb_face_t* hbFace =
      hb_face_create_for_tables(ReferenceTable, new QRawFont(face), [](void* p) { delete static_cast<QRawFont*>(p); });
  font_ = hb_font_create(hbFace);
  hb_face_destroy(hbFace);
  unitsPerEm_ = hb_face_get_upem(hb_font_get_face(font_));
}

VerticalShaper::~VerticalShaper() { hb_font_destroy(font_); }

VerticalText VerticalShaper::Set(const QRawFont& raw, const QFont& font, std::string_view sjis, double ascent,
                                 double column) const {
  VerticalText result;
  double down = 0;
  for (const VerticalRun& run : SplitVerticalRuns(sjis)) {
    const QString text = QString::fromStdString(SjisToUtf8(run.sjis));
    const int size = static_cast<int>(text.size());
    // Stretches of what the face has are shaped in it; what it lacks (∑, U+FFFD) comes from other
    // faces instead of the face's empty box.
    for (int start = 0; start < size;) {
      int units = 0;
      const bool has = raw.supportsCharacter(CodePointAt(text, start, &units));
      int end = start + units;
      while (end < size && raw.supportsCharacter(CodePointAt(text, end, &units)) == has) end += units;
      if (has) {
        down = Shape(raw, text, start, end, run.upright, ascent, column, down, result);
      } else if (!run.upright) {
        down = FallBack(font, text.mid(start, end - start), false, raw.pixelSize(), ascent, column, down, result);
      } else {
        for (int at = start; at < end; at += units) {
          CodePointAt(text, at, &units);
          down = FallBack(font, text.mid(at, units), true, raw.pixelSize(), ascent, column, down, result);
        }
      }
      start = end;
    }
  }
  result.length = down;
  return result;
}

// Shapes text[start, end) at `down` and returns where the column goes on below it.
double VerticalShaper::Shape(const QRawFont& raw, const QString& text, int start, int end, bool upright, double ascent,
                             double column, double down, VerticalText& result) const {
  const double scale = raw.pixelSize() / unitsPerEm_;
  hb_buffer_t* buffer = hb_buffer_create();
  const auto* utf16 = reinterpret_cast<const uint16_t*>(text.utf16());
  hb_buffer_add_utf16(buffer, utf16, static_cast<int>(text.size()), static_cast<unsigned>(start), end - start);
  hb_buffer_set_direction(buffer, upright ? HB_DIRECTION_TTB : HB_DIRECTION_LTR);
  hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
  hb_buffer_guess_segment_properties(buffer);
  if (upright)
    hb_shape(font_, buffer, kVerticalForms, std::size(kVerticalForms));
  else
    hb_shape(font_, buffer, nullptr, 0);

  unsigned count = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
  QList<quint32> glyphs(count);
  QList<QPointF> positions(count);
  VerticalText::Run run;
  run.turned = !upright;
  run.top = down;
  // HarfBuzz's y runs upwards; the page's runs down.
  double penX = 0, penY = 0;
  for (unsigned i = 0; i < count; ++i) {
    glyphs[i] = info[i].codepoint;
    if (upright)
      positions[i] = QPointF(-column / 2 + (penX + pos[i].x_offset) * scale, down - (penY + pos[i].y_offset) * scale);
    else
      positions[i] = QPointF((penX + pos[i].x_offset) * scale, ascent - pos[i].y_offset * scale);
    penX += pos[i].x_advance;
    penY += pos[i].y_advance;
  }
  hb_buffer_destroy(buffer);
  run.glyphs.setRawFont(raw);
  run.glyphs.setGlyphIndexes(glyphs);
  run.glyphs.setPositions(positions);
  result.runs.push_back(std::move(run));
  return down + (upright ? -penY * scale : penX * scale);
}

}  // namespace orbline
