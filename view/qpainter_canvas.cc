#include "view/qpainter_canvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <cmath>

#include "platform/sjis.h"

namespace orbline {
namespace {

QPen DefaultPen() {
  QPen pen(Qt::black);
  pen.setWidth(0);  // cosmetic: one device pixel
  return pen;
}

// Characters that stand upright in vertical writing: the wide ones (kana, kanji, full-width forms).
bool IsWide(char32_t c) {
  if (c >= 0xFF61 && c <= 0xFFDC) return false;  // half-width katakana and Hangul
  return c >= 0x1100;
}

}  // namespace

QString JapaneseGothicName() { return QStringLiteral(u"ＭＳ Ｐゴシック"); }

QString RegisterJapaneseFont() {
  static QString chosen;
  static bool done = false;
  if (done) return chosen;
  done = true;
  const QStringList families = QFontDatabase::families();
  const QString preferred[] = {JapaneseGothicName(), QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                               QStringLiteral("IPAGothic")};
  for (const QString& name : preferred)
    if (families.contains(name)) {
      chosen = name;
      break;
    }
  if (chosen.isEmpty()) {
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& name : japanese)
      if (!name.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive) &&
          !QFontDatabase::isFixedPitch(name)) {
        chosen = name;
        break;
      }
    if (chosen.isEmpty() && !japanese.isEmpty()) chosen = japanese.first();
  }
  if (!chosen.isEmpty() && chosen != JapaneseGothicName()) QFont::insertSubstitution(JapaneseGothicName(), chosen);
  return chosen;
}

QPainterCanvas::QPainterCanvas(QPainter& painter, int width, int height)
    : painter_(painter),
      sx_(width / double(kPageWidth)),
      sy_(height / double(kPageHeight)),
      pen_(DefaultPen()),
      brush_(Qt::white),
      textColour_(Qt::black) {
  font_.height = kDefaultFontHeight;
}

QRectF QPainterCanvas::DeviceRect(int left, int top, int right, int bottom) const {
  return QRectF(ToDevice(left, top), ToDevice(right, bottom)).normalized();
}

void QPainterCanvas::FillSolidRect(int x, int y, int cx, int cy, Colour colour) {
  painter_.fillRect(DeviceRect(x, y, x + cx, y + cy), ToQColor(colour));
}

QPen QPainterCanvas::MakePen(int width, Colour colour) const {
  QPen pen(ToQColor(colour));
  if (width <= 0) {
    pen.setWidth(0);
  } else {
    // A pen's width is a horizontal distance on the page.
    pen.setWidthF(std::max(1.0, width * sx_));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

void QPainterCanvas::SelectPen(int width, Colour colour) { pen_ = MakePen(width, colour); }
void QPainterCanvas::RestorePen() { pen_ = DefaultPen(); }
void QPainterCanvas::SelectBrush(Colour colour) { brush_ = QBrush(ToQColor(colour)); }
void QPainterCanvas::RestoreBrush() { brush_ = QBrush(Qt::white); }
void QPainterCanvas::SelectFont(const FontSpec& font) { font_ = font; }
void QPainterCanvas::RestoreFont() {
  font_ = FontSpec();
  font_.height = kDefaultFontHeight;
}
void QPainterCanvas::SetTextColour(Colour colour) { textColour_ = ToQColor(colour); }

void QPainterCanvas::Line(int x1, int y1, int x2, int y2) {
  painter_.setPen(pen_);
  painter_.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
}

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom) {
  painter_.setPen(pen_);
  painter_.setBrush(brush_);
  painter_.drawEllipse(DeviceRect(left, top, right, bottom));
}

void QPainterCanvas::EllipseOutline(int left, int top, int right, int bottom) {
  painter_.setPen(pen_);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawEllipse(DeviceRect(left, top, right, bottom));
}

QFont QPainterCanvas::MakeFont(const FontSpec& spec) const {
  QFont font(JapaneseGothicName());
  font.setStyleHint(QFont::SansSerif);
  // The cell height follows the vertical factor only, so glyphs keep their proportions.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(spec.height * sy_))));
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  return font;
}

void QPainterCanvas::Text(int x, int y, std::string_view sjis) {
  const QString text = QString::fromUtf8(SjisToUtf8(sjis));
  painter_.setFont(MakeFont(font_));
  painter_.setPen(textColour_);
  const QPointF at = ToDevice(x, y);
  if (font_.vertical) {
    DrawVerticalText(at, text);
    return;
  }
  const QFontMetricsF metrics(painter_.font());
  painter_.drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
}

// Vertical writing: the baseline runs down the page from the given point, so the column of
// characters lies to the left of it. Wide characters stand upright; narrow ones lie turned a
// quarter clockwise, as Japanese vertical text is set.
void QPainterCanvas::DrawVerticalText(const QPointF& at, const QString& text) {
  const QFontMetricsF metrics(painter_.font());
  const double column = metrics.height();
  double y = at.y();
  for (auto it = text.begin(); it != text.end();) {
    char32_t c = it->unicode();
    QString glyph(*it++);
    if (QChar::isHighSurrogate(c) && it != text.end()) {
      c = QChar::surrogateToUcs4(c, it->unicode());
      glyph += *it++;
    }
    if (IsWide(c)) {
      const double w = metrics.horizontalAdvance(glyph);
      painter_.drawText(QPointF(at.x() - column / 2 - w / 2, y + metrics.ascent()), glyph);
      y += std::max(w, column);
    } else {
      const double w = metrics.horizontalAdvance(glyph);
      painter_.save();
      painter_.translate(at.x(), y);
      painter_.rotate(90);
      // Turned: the glyph's baseline runs down the column, its top towards the right edge.
      painter_.drawText(QPointF(0, metrics.ascent()), glyph);
      painter_.restore();
      y += w;
    }
  }
}

}  // namespace orbline
