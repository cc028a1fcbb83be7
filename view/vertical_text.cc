#include "view/vertical_text.h"

#include <QByteArray>
#include <hb.h>

#include <iterator>

namespace orbline {
namespace {

// Characters that stand upright in vertical writing: the wide ones (kana, kanji, full-width forms).
bool IsWide(char32_t c) {
  if (c >= 0xFF61 && c <= 0xFFDC) return false;  // half-width katakana and Hangul
  return c >= 0x1100;
}

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

}  // namespace

VerticalShaper::VerticalShaper(const QRawFont& face) {
  hb_face_t* hbFace = hb_face_create_for_tables(ReferenceTable, new QRawFont(face),
                                                [](void* p) { delete static_cast<QRawFont*>(p); });
  font_ = hb_font_create(hbFace);
  hb_face_destroy(hbFace);
  unitsPerEm_ = hb_face_get_upem(hb_font_get_face(font_));
}

VerticalShaper::~VerticalShaper() { hb_font_destroy(font_); }

VerticalText VerticalShaper::Set(const QRawFont& font, const QString& text, double ascent, double column) const {
  VerticalText result;
  const double scale = font.pixelSize() / unitsPerEm_;
  hb_buffer_t* buffer = hb_buffer_create();
  const auto* utf16 = reinterpret_cast<const uint16_t*>(text.utf16());
  const int size = static_cast<int>(text.size());
  double down = 0;
  for (int start = 0; start < size;) {
    // The longest run of characters that are all wide or all narrow.
    int units = 0;
    const bool wide = IsWide(CodePointAt(text, start, &units));
    int end = start + units;
    while (end < size && IsWide(CodePointAt(text, end, &units)) == wide) end += units;
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf16(buffer, utf16, size, static_cast<unsigned>(start), end - start);
    hb_buffer_set_direction(buffer, wide ? HB_DIRECTION_TTB : HB_DIRECTION_LTR);
    hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
    hb_buffer_guess_segment_properties(buffer);
    if (wide)
      hb_shape(font_, buffer, kVerticalForms, std::size(kVerticalForms));
    else
      hb_shape(font_, buffer, nullptr, 0);

    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    QList<quint32> glyphs(count);
    QList<QPointF> positions(count);
    VerticalText::Run run;
    run.turned = !wide;
    run.top = down;
    // HarfBuzz's y runs upwards; the page's runs down.
    double penX = 0, penY = 0;
    for (unsigned i = 0; i < count; ++i) {
      glyphs[i] = info[i].codepoint;
      if (wide)
        positions[i] = QPointF(-column / 2 + (penX + pos[i].x_offset) * scale, down - (penY + pos[i].y_offset) * scale);
      else
        positions[i] = QPointF((penX + pos[i].x_offset) * scale, ascent - pos[i].y_offset * scale);
      penX += pos[i].x_advance;
      penY += pos[i].y_advance;
    }
    down += wide ? -penY * scale : penX * scale;
    run.glyphs.setRawFont(font);
    run.glyphs.setGlyphIndexes(glyphs);
    run.glyphs.setPositions(positions);
    result.runs.push_back(std::move(run));
    start = end;
  }
  hb_buffer_destroy(buffer);
  result.length = down;
  return result;
}

}  // namespace orbline
