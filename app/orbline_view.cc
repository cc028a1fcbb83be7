#include "app/orbline_view.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTimer>

#include "app/message_sink.h"
#include "app/ui_tables.h"
#include "document/document.h"
#include "document/source_reader.h"
#include "platform/sjis.h"
#include "view/canvas.h"
#include "view/display.h"
#include "view/hit_map.h"
#include "view/qpainter_canvas.h"
#include "view/row_description.h"

namespace orbline {
namespace {

// How near the pointer must come to a thing to name its row, in pixels of the screen.
constexpr double kReach = 3;

}  // namespace

OrblineView::OrblineView(Document& doc, const ViewState& state, MessageSink& messages, QWidget* parent)
    : QWidget(parent), doc_(doc), messages_(messages), state_(state) {
  // The system's window colour, which every paint's image starts from; the image covers the whole
  // view, so Qt need not erase it first.
  setBackgroundRole(QPalette::Base);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

OrblineView::~OrblineView() = default;

void OrblineView::Changed() {
  hits_.reset();
  update();
  emit stateChanged();
  // What is under a pointer that stays where it was may have changed.
  QTimer::singleShot(0, this, [this] {
    if (underMouse()) emit pointerText(PointerText(mapFromGlobal(QCursor::pos())));
  });
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
  hits_.reset();
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), frame_);
  // The marked row's frames go over the picture, on the screen alone.
  QColor fill = palette().color(QPalette::Highlight);
  painter.setPen(QPen(fill, 2));
  fill.setAlpha(48);
  painter.setBrush(fill);
  for (const QRectF& frame : MarkedFrames()) painter.drawRect(frame);
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

// Drawn again on a canvas that keeps where each thing lies, at the size and on the kind of image
// of the last paint, whose texts' layouts the font cache holds.
const HitMap& OrblineView::Hits() {
  if (!hits_) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const QImage device(1, 1, QImage::Format_RGB32);  // as the paint's own image
    hits_ = std::make_unique<HitMap>(device, pixels.width(), pixels.height(), ratio);
    DrawDisplay(*hits_, doc_, state_);
  }
  return *hits_;
}

SourceRow OrblineView::RowAt(const QPoint& at) {
  const qreal ratio = devicePixelRatioF();
  // A listing's line is found anywhere along it.
  const HitMap& hits = Hits();
  return state_.IsMapMode() ? hits.RowAt(QPointF(at) * ratio, kReach * ratio)
                            : hits.RowBoxAt(QPointF(at) * ratio, kReach * ratio);
}

QString OrblineView::PointerText(const QPoint& at) {
  QString text;
  if (state_.IsMapMode()) {
    const LogicalPoint p = ToLogical(at.x(), at.y(), width(), height());
    text = QStringLiteral("(%1,%2)").arg(p.x).arg(p.y);
  }
  const std::string row = DescribeRow(doc_, RowAt(at));
  if (!row.empty()) text += (text.isEmpty() ? QString() : QStringLiteral("  ")) + QString::fromUtf8(SjisToUtf8(row));
  return text;
}

void OrblineView::MarkRow(const QString& file, int line) {
  markedFile_ = file.toStdString();
  markedLine_ = line;
  update();
}

std::vector<QRectF> OrblineView::MarkedFrames() {
  std::vector<QRectF> frames;
  if (markedFile_.empty()) return frames;
  const qreal ratio = devicePixelRatioF();
  // A little outside what each frames, and inside the view where the row fills it (a page's
  // background).
  const QRectF inside = QRectF(rect()).adjusted(1, 1, -1, -1);
  for (const QRectF& box : Hits().BoxesOf({markedFile_, markedLine_})) {
    const QRectF client(box.topLeft() / ratio, box.size() / ratio);
    frames.push_back(client.adjusted(-kReach, -kReach, kReach, kReach) & inside);
  }
  return frames;
}

void OrblineView::Open(const SourceRow& row) {
  if (!row.empty()) emit openRequested(QString::fromUtf8(row.file.data(), qsizetype(row.file.size())), row.line);
}

void OrblineView::mouseMoveEvent(QMouseEvent* event) {
  emit pointerText(PointerText(event->position().toPoint()));
  QWidget::mouseMoveEvent(event);
}

void OrblineView::leaveEvent(QEvent* event) {
  emit pointerText(QString());
  QWidget::leaveEvent(event);
}

// In the listings a double click opens the row; in a map display the first click has shown its box.
void OrblineView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !state_.IsMapMode()) {
    Open(RowAt(event->position().toPoint()));
    return;
  }
  QWidget::mouseDoubleClickEvent(event);
}

void OrblineView::contextMenuEvent(QContextMenuEvent* event) {
  const SourceRow row = RowAt(event->pos());
  const QString file = QString::fromUtf8(row.file.data(), qsizetype(row.file.size()));
  QMenu menu(this);
  QAction* open = menu.addAction(row.empty() ? RowMenuText().none : RowMenuText().open.arg(file).arg(row.line));
  open->setEnabled(!row.empty());
  connect(open, &QAction::triggered, this, [this, file, line = row.line] { emit openRequested(file, line); });
  menu.exec(event->globalPos());
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
