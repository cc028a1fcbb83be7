#include "cli/render.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include "cli/render_command.h"
#include "view/display.h"
#include "view/qpainter_canvas.h"
#include "view/view_state.h"

namespace orbline {
namespace {

// The resolution a PDF states: one pixel of the image is one point, so a page, whose size is a
// whole number of points, is exactly the image's size.
constexpr int kVectorDpi = 72;

// The file name's ending without its dot, in lower case ("png").
QString Ending(const std::filesystem::path& path) {
  return QFile::decodeName(path.extension().c_str()).toLower().mid(1);
}

// The view's background, then the display, as the window paints it.
void Paint(QPainter& painter, const Document& doc, const ViewState& state, int width, int height) {
  painter.fillRect(QRect(0, 0, width, height), Qt::white);
  QPainterCanvas canvas(painter, width, height);
  DrawDisplay(canvas, doc, state);
}

}  // namespace

bool RenderDisplay(const Document& doc, const ViewState& state, int width, int height,
                   const std::filesystem::path& path, std::string* error) {
  const QString ending = Ending(path);
  const QString file = QFile::decodeName(path.c_str());
  if (ending == QLatin1String("png")) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter, doc, state, width, height);
    painter.end();
    if (!image.save(file, "PNG")) {
      *error = "cannot write " + path.string();
      return false;
    }
    return true;
  }
  if (ending == QLatin1String("svg")) return WriteSvgImage(doc, state, width, height, path, error);
  if (ending == QLatin1String("pdf")) {
    QPdfWriter pdf(file);
    // One page the size of the image, drawn in its pixels.
    pdf.setResolution(kVectorDpi);
    pdf.setPageSize(QPageSize(QSize(width, height), QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) {
      *error = "cannot write " + path.string();
      return false;
    }
    Paint(painter, doc, state, width, height);
    painter.end();
    return true;
  }
  *error = "the image file must end in .png, .svg or .pdf";
  return false;
}

}  // namespace orbline
