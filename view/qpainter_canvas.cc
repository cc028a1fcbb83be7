#include "view/qpainter_canvas.h"

#include <QPaintEngine>

#include "platform/sjis.h"
#include "view/label_pictures.h"
#include "view/lettering.h"
#include "view/wide_pen.h"

namespace orbline {
namespace {

QPen DefaultPen() {
  QPen pen(Qt::black);
  pen.setWidth(0);  // cosmetic: one device pixel
  return pen;
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, int width, int height, double pixelRatio)
    : painter_(painter),
      page_(width, height, pixelRatio, painter.device()->logicalDpiY()),
      pen_(DefaultPen()),
      brush_(Qt::white),
      textColour_(Qt::black) {
  LabelPictures::Get().BeginPaint();
}

void QPainterCanvas::FillSolidRect(int x, int y, int cx, int cy, Colour colour) {
  painter_.fillRect(DeviceRect(x, y, x + cx, y + cy), ToQColor(colour));
}

void QPainterCanvas::SelectPen(int width, Colour colour) {
  pen_ = QPen(ToQColor(colour));
  if (width <= 0) {
    penWidth_ = 0;
    pen_.setWidth(0);
    return;
  }
  penWidth_ = page_.PenWidth(width);
  if (!StrokerMissesLine(penWidth_)) pen_.setWidthF(penWidth_);  // else the canvas fills the pen's area
  pen_.setCapStyle(Qt::RoundCap);
  pen_.setJoinStyle(Qt::RoundJoin);
}

void QPainterCanvas::RestorePen() {
  pen_ = DefaultPen();
  penWidth_ = 0;
}
void QPainterCanvas::SelectBrush(Colour colour) { brush_ = QBrush(ToQColor(colour)); }
void QPainterCanvas::RestoreBrush() { brush_ = QBrush(Qt::white); }
void QPainterCanvas::SelectFont(const FontSpec& font) {
  font_ = font;
  listingFont_ = false;
}
void QPainterCanvas::RestoreFont() {
  font_ = FontSpec();
  listingFont_ = true;
}
void QPainterCanvas::SetTextColour(Colour colour) { textColour_ = ToQColor(colour); }

void QPainterCanvas::Line(int x1, int y1, int x2, int y2) {
  if (StrokerMissesLine(penWidth_)) {
    painter_.fillPath(LineArea(ToDevice(x1, y1), ToDevice(x2, y2), penWidth_), pen_.color());
    return;
  }
  painter_.setPen(pen_);
  painter_.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
}

// The ellipse in `box` filled with `brush` and outlined with the pen, the pens that the stroker
// cannot draw built by hand, so that a pen wider than the ellipse covers it whole.
void QPainterCanvas::DrawEllipse(const QRectF& box, const QBrush& brush) {
  if (penWidth_ > 0 && StrokerMissesEllipseOutline(box, penWidth_)) {
    if (brush.style() != Qt::NoBrush) {
      painter_.setPen(Qt::NoPen);
      painter_.setBrush(brush);
      painter_.drawEllipse(box);
    }
    painter_.fillPath(EllipseOutlineArea(box, penWidth_), pen_.color());
    return;
  }
  painter_.setPen(pen_);
  painter_.setBrush(brush);
  painter_.drawEllipse(box);
}

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom) {
  DrawEllipse(DeviceRect(left, top, right, bottom), brush_);
}

void QPainterCanvas::EllipseOutline(int left, int top, int right, int bottom) {
  DrawEllipse(DeviceRect(left, top, right, bottom), Qt::NoBrush);
}

void QPainterCanvas::Text(int x, int y, std::string_view sjis) {
  const QPointF at = ToDevice(x, y);
  const FontKey key = CurrentFontKey();
  FontCache& cache = FontCache::Get();
  const FontCache::Font& font = cache.Find(key, painter_.device());
  // How far a label's marks may reach past its glyphs' boxes and cell: a slant, hinting, the
  // underline.
  const double m = font.height / 2 + 2;
  if (key.face == FontKey::kVerticalLabel) {
    const VerticalText& set = cache.SetVertically(font, sjis);
    // The column, left of the baseline, with room for a slant and the underline.
    const auto bound = [&] { return ColumnBox(at, font.height, set.length).adjusted(-m, -m, m, m); };
    // Its picture is known by the bytes, which say what stands upright.
    const QString bytes = QString::fromLatin1(sjis.data(), static_cast<qsizetype>(sjis.size()));
    DrawLabel(key, at, bytes, bound, [&](QPainter& painter) { DrawVerticalText(painter, at, set, font); });
    return;
  }
  const QString text = QString::fromUtf8(SjisToUtf8(sjis));
  if (painter_.paintEngine()->type() != QPaintEngine::Raster) {
    // Printers and PDF keep the text itself, so that it can be searched and its face chosen
    // by the reader.
    painter_.setPen(textColour_);
    painter_.setFont(font.font);
    painter_.drawText(QPointF(at.x(), at.y() + font.ascent), text);
    return;
  }
  const QList<QGlyphRun>& runs = cache.LayOut(font, text);
  const auto draw = [&](QPainter& painter) {
    painter.setPen(textColour_);
    for (const QGlyphRun& run : runs) painter.drawGlyphRun(at, run);
  };
  if (key.face == FontKey::kListing) {
    draw(painter_);
    return;
  }
  const auto bound = [&] { return GlyphBox(at, runs, font.height).adjusted(-m, -m, m, m); };
  DrawLabel(key, at, text, bound, draw);
}

void QPainterCanvas::DrawLabel(const FontKey& key, const QPointF& at, const QString& text,
                               const std::function<QRectF()>& bound, const std::function<void(QPainter&)>& draw) {
  const QPaintDevice& device = *painter_.device();
  const LabelPictures::Key label{key,
                                 font_.italic,
                                 font_.underline,
                                 text,
                                 textColour_.rgb(),
                                 at.x(),
                                 at.y(),
                                 QSize(device.width(), device.height()),
                                 int(painter_.renderHints())};
  LabelPictures::Get().Draw(painter_, label, bound, draw);
}

// Vertical writing: the baseline runs down the page from the given point, so the column of
// characters lies to the left of it. An italic column leans along its length (what lies right of
// the baseline moves down); the underline is one line left of the baseline, under the turned text.
void QPainterCanvas::DrawVerticalText(QPainter& painter, const QPointF& at, const VerticalText& set,
                                      const FontCache::Font& font) const {
  painter.setPen(textColour_);
  const QTransform page = painter.transform();
  QTransform column = QTransform::fromTranslate(at.x(), at.y()) * page;
  if (font_.italic) column = QTransform(1, kItalicSlant, 0, 1, 0, kItalicSlant * font.ascent) * column;
  for (const VerticalText::Run& run : set.runs) {
    if (run.turned) {
      painter.setTransform(QTransform().rotate(90) * QTransform::fromTranslate(0, run.top) * column);
    } else {
      painter.setTransform(column);
    }
    painter.drawGlyphRun(QPointF(0, 0), run.glyphs);
  }
  painter.setTransform(page);
  if (font_.underline && set.length > 0) {
    const double x = at.x() - font.ascent - font.underlinePos;
    painter.fillRect(QRectF(x - font.lineWidth / 2, at.y(), font.lineWidth, set.length), textColour_);
  }
}

}  // namespace orbline
