#include "cli/render.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "view/display.h"
#include "view/qpainter_canvas.h"
#include "view/view_state.h"

namespace orbline {
namespace {

QString Ending(const std::string& path) {
  const QString name = QFile::decodeName(path.c_str()).toLower();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot + 1);
}

// The view's background, then the display, as the window paints it.
void Paint(QPainter& painter, const Document& doc, const ViewState& state, int width, int height) {
  painter.fillRect(QRect(0, 0, width, height), Qt::white);
  QPainterCanvas canvas(painter, width, height);
  DrawDisplay(canvas, doc, state);
}

}  // namespace

bool IsImagePath(const std::string& path) {
  const QString ending = Ending(path);
  return ending == QLatin1String("png") || ending == QLatin1String("svg") || ending == QLatin1String("pdf");
}

bool RenderDisplay(const Document& doc, const ViewState& state, int width, int height, const std::string& path,
                   std::string* error) {
  const QString ending = Ending(path);
  const QString file = QFile::decodeName(path.c_str());
  if (ending == QLatin1String("png")) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter, doc, state, width, height);
    painter.end();
    if (!image.save(file, "PNG")) {
      *error = "cannot write " + path;
      return false;
    }
    return true;
  }
  if (ending == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle(QStringLiteral("Zelkor Maker"));
    QPainter painter;
    if (!painter.begin(&svg)) {
      *error = "cannot write " + path;
      return false;
    }
    Paint(painter, doc, state, width, height);
    painter.end();
    return true;
  }
  if (ending == QLatin1String("pdf")) {
    QPdfWriter pdf(file);
    // One page the size of the image at 96 pixels per inch, drawn in those pixels.
    pdf.setResolution(96);
    pdf.setPageSize(QPageSize(QSizeF(width * 25.4 / 96, height * 25.4 / 96), QPageSize::Millimeter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) {
      *error = "cannot write " + path;
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
