#include "cli/render.h"

#include <QBuffer>
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

// The resolution SVG and PDF state: one pixel of the image is one point, so a PDF page, whose size
// is a whole number of points, is exactly the image's size.
constexpr int kVectorDpi = 72;

// The faces a viewer without the drawing's own should choose, in order: Japanese Gothic faces,
// fixed-pitch ones for the listings.
QByteArray WithFallbackFaces(QByteArray svg) {
  const auto family = [](const QString& face, QStringList fallbacks, const char* generic) {
    fallbacks.removeAll(face);
    fallbacks.prepend(face);
    return "font-family=\"'" + fallbacks.join(QStringLiteral("', '")).toUtf8() + "', " + generic + "\"";
  };
  const QString gothic = JapaneseGothicName(), listing = ListingFaceName();
  svg.replace("font-family=\"" + gothic.toUtf8() + "\"",
              family(gothic, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                              QStringLiteral("Hiragino Sans"), QStringLiteral("Yu Gothic")},
                     "sans-serif"));
  if (listing != gothic)
    svg.replace("font-family=\"" + listing.toUtf8() + "\"",
                family(listing, {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")}, "monospace"));
  return svg;
}

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

bool IsImagePath(const std::filesystem::path& path) {
  const QString ending = Ending(path);
  return ending == QLatin1String("png") || ending == QLatin1String("svg") || ending == QLatin1String("pdf");
}

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
  if (ending == QLatin1String("svg")) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kVectorDpi);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle(QStringLiteral("Zelkor Maker"));
    QPainter painter;
    if (!painter.begin(&svg)) {
      *error = "cannot write " + path.string();
      return false;
    }
    Paint(painter, doc, state, width, height);
    painter.end();
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(WithFallbackFaces(buffer.data())) < 0 || !out.flush()) {
      *error = "cannot write " + path.string();
      return false;
    }
    return true;
  }
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
