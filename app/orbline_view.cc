#include "app/orbline_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>

#include "app/message_sink.h"
#include "document/document.h"
#include "document/source_reader.h"
#include "platform/sjis.h"
#include "view/canvas.h"
#include "view/display.h"
#include "view/qpainter_canvas.h"

namespace orbline {

OrblineView::OrblineView(Document& doc, const ViewState& state, MessageSink& messages, QWidget* parent)
    : QWidget(parent), doc_(doc), messages_(messages), state_(state) {
  // The system's window colour, which every paint's image starts from; the image covers the whole
  // view, so Qt need not erase it first.
  setBackgroundRole(QPalette::Base);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void OrblineView::Changed() {
  update();
  emit stateChanged();
}

void OrblineView::Test(int mode, LineReader& files, FindingSink& findings) {
  if (mode < kFirstMode || mode > kLastMode) return;
  state_.displayMode = mode;
  // A reader that fails has reported its fault; the display shows what the tables hold.
  ReadForDisplay(doc_, files, findings, mode);
  Changed();
}

void OrblineView::SelectPage(int page) {
  if (state_.SelectPage(page)) Changed();
}

void OrblineView::ToggleGrid() {
  state_.ToggleGrid();
  Changed();
}

QString OrblineView::Draw(QPainter& painter, int width, int height, double pixelRatio) {
  QPainterCanvas canvas(painter, width, height, pixelRatio);
  const QString text = QString::fromUtf8(SjisToUtf8(DrawDisplay(canvas, doc_, state_)));
  emit statusText(text);
  return text;
}

// Drawn on an image of its own first, in the screen's own pixels and without a transform: there a
// repaint puts labels down from their pictures, and the underlines that Qt draws with glyphs stay
// under them (with a transform, Qt moves them by as much again as the transform moves the glyphs).
void OrblineView::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  if (frame_.size() != pixels) frame_ = QImage(pixels, QImage::Format_RGB32);
  frame_.setDevicePixelRatio(1);
  frame_.fill(palette().color(backgroundRole()));
  {
    QPainter painter(&frame_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    Draw(painter, pixels.width(), pixels.height(), ratio);
  }
  frame_.setDevicePixelRatio(ratio);
  QPainter(this).drawImage(QPointF(0, 0), frame_);
}

void OrblineView::DrawFitted(QPainter& painter, const QSize& area) {
  constexpr qint64 kW = Canvas::kPageWidth, kH = Canvas::kPageHeight;
  QSize page(area.width(), static_cast<int>(area.width() * kH / kW));
  if (page.height() > area.height()) page = QSize(static_cast<int>(area.height() * kW / kH), area.height());
  painter.save();
  painter.translate((area.width() - page.width()) / 2, (area.height() - page.height()) / 2);
  // What lies off the page stays off the paper, as it stays outside the window.
  painter.setClipRect(QRect(QPoint(0, 0), page));
  Draw(painter, page.width(), page.height());
  painter.restore();
}

// Drawn at the window's client size in printer pixels, the page would come out a few centimetres
// wide on a fine printer, or cut off at a coarse one.
void OrblineView::Print(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  DrawFitted(painter, printer.pageRect(QPrinter::DevicePixel).size().toSize());
  painter.end();
}

void OrblineView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint at = event->position().toPoint();
    if (auto text = CoordinateMessage(state_, at.x(), at.y(), width(), height()))
      messages_.Show(*text, {}, MessageIcon::kInformation);
  }
  QWidget::mousePressEvent(event);
}

}  // namespace orbline
