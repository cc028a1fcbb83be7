#pragma once

// What a reader of a drawing sees: each mark with the pen, brush, font and colour it is drawn with,
// one line each, read from an SVG file that SvgCanvas wrote, and the same lines made from a
// RecordingCanvas recording. A line: "Fill x y width height #RRGGBB", "Line x1 y1 x2 y2 pen W #C",
// "Ellipse left top right bottom pen W #C fill #C|none", "Text x y listing|label H [italic]
// [underline] [vertical] #C text", in logical units, sizes positive.

#include <QXmlStreamReader>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "view/lettering.h"
#include "view/svg_canvas.h"

namespace orbline {
namespace svg_reading {

inline std::string Join(std::string line, std::initializer_list<long> numbers, const std::string& rest) {
  for (long n : numbers) line += " " + std::to_string(n);
  return line + " " + rest;
}

// A text as a reader sees it: line breaks are not drawn, other control characters show as a box.
inline std::string Visible(const std::string& utf8) {
  std::string out;
  for (char c : utf8) {
    if (c == '\r' || c == '\n') continue;
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
      out += "\xEF\xBF\xBD";
    else
      out += c;
  }
  return out;
}

}  // namespace svg_reading

inline std::vector<std::string> SeenInRecording(const std::vector<std::string>& ops) {
  using svg_reading::Join;
  const std::string thinPen = "pen 0 #000000";
  std::string pen = thinPen, brush = "#FFFFFF", font = "listing", colour = "#000000";
  std::vector<std::string> seen;
  for (const std::string& op : ops) {
    std::istringstream in(op);
    std::string name, rest;
    long a = 0, b = 0, c = 0, d = 0;
    in >> name;
    if (name == "SelectPen") {
      in >> a >> rest;
      pen = Join("pen", {a}, rest);
    } else if (name == "RestorePen") {
      pen = thinPen;
    } else if (name == "SelectBrush" || name == "RestoreBrush") {
      brush = name == "SelectBrush" ? op.substr(name.size() + 1) : "#FFFFFF";
    } else if (name == "SelectFont" || name == "RestoreFont") {
      font = name == "SelectFont" ? "label" + op.substr(name.size()) : "listing";
    } else if (name == "SetTextColour") {
      in >> colour;
    } else if (name == "FillSolidRect") {
      in >> a >> b >> c >> d >> rest;
      if (c != 0 && d != 0)
        seen.push_back(Join("Fill", {std::min(a, a + c), std::min(b, b + d), std::abs(c), std::abs(d)}, rest));
    } else if (name == "Line") {
      in >> a >> b >> c >> d;
      seen.push_back(Join("Line", {a, b, c, d}, pen));
    } else if (name == "Ellipse" || name == "EllipseOutline") {
      in >> a >> b >> c >> d;
      const std::string fill = name == "Ellipse" ? brush : "none";
      seen.push_back(
          Join("Ellipse", {std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d)}, pen + " fill " + fill));
    } else if (name == "Text") {
      in >> a >> b;
      const std::string text = op.substr(static_cast<size_t>(in.tellg()) + 1);
      seen.push_back(Join("Text", {a, b}, font + " " + colour + " " + svg_reading::Visible(text)));
    }
  }
  return seen;
}

// Reads the file back; `*error` says what is not well-formed or not as SvgCanvas writes it.
inline std::vector<std::string> SeenInSvg(const std::string& svg, std::string* error) {
  using svg_reading::Join;
  QXmlStreamReader xml(QByteArray::fromStdString(svg));
  std::vector<std::string> seen;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    const auto number = [&](const char* name) { return attributes.value(QLatin1String(name)).toDouble(); };
    const auto whole = [&](double v) { return std::lround(v); };
    const auto colour = [&](const char* name) {
      const QString value = attributes.value(QLatin1String(name)).toString().toUpper();
      return value.isEmpty() ? std::string("#000000") : value.toStdString();
    };
    const QStringList classes = attributes.value(QLatin1String("class")).toString().split(QLatin1Char(' '));
    const auto has = [&](const char* c) { return classes.contains(QLatin1String(c)); };
    const std::string pen =
        has("h") ? "pen 0 " + colour("stroke") : Join("pen", {whole(number("stroke-width"))}, colour("stroke"));
    if (xml.name() == u"rect") {
      seen.push_back(Join("Fill",
                          {whole(number("x")), whole(number("y")), whole(number("width")), whole(number("height"))},
                          colour("fill")));
    } else if (xml.name() == u"path") {
      const QStringList lines =
          attributes.value(QLatin1String("d")).toString().split(QLatin1Char('M'), Qt::SkipEmptyParts);
      for (const QString& line : lines) {
        const QStringList p = line.split(QLatin1Char(' '));
        if (p.size() != 4) *error = "a path that is not lines: " + line.toStdString();
        if (p.size() == 4)
          seen.push_back(Join("Line", {p[0].toLong(), p[1].toLong(), p[2].toLong(), p[3].toLong()}, pen));
      }
    } else if (xml.name() == u"ellipse") {
      const double cx = number("cx"), cy = number("cy"), rx = number("rx"), ry = number("ry");
      const std::string fill = attributes.value(QLatin1String("fill")) == u"none" ? "none" : colour("fill");
      seen.push_back(
          Join("Ellipse", {whole(cx - rx), whole(cy - ry), whole(cx + rx), whole(cy + ry)}, pen + " fill " + fill));
    } else if (xml.name() == u"text") {
      const bool listing = has("l"), vertical = has("v");
      const double size = listing ? kListingFontHeight : number("font-size"), ascent = SvgCanvas::kAscent * size;
      // The cell's top left: vertical columns hang from it half a cell left of the window's
      // baseline, other texts stand on a baseline one ascent below it.
      const double x = vertical ? number("x") + SvgCanvas::kCell * size / 2 : number("x");
      const double y = vertical ? number("y") : number("y") - ascent;
      std::string font = listing ? "listing" : "label " + std::to_string(whole(size));
      const QString transform = attributes.value(QLatin1String("transform")).toString();
      if (!transform.isEmpty()) {
        // Italic: a shear by the slant that keeps the line it leans about, the baseline of
        // horizontal text, that of a column's turned characters.
        const QStringList m = transform.mid(7, transform.size() - 8).split(QLatin1Char(' '));
        const double b = m.value(1).toDouble(), c = m.value(2).toDouble(), e = m.value(4).toDouble(),
                     f = m.value(5).toDouble();
        const double px = vertical ? x - ascent : number("x"), py = y + ascent;
        const bool leans = std::abs(std::abs(vertical ? b : c) - kItalicSlant) < 1e-4 && (vertical ? c : b) == 0;
        const bool keeps = std::abs(c * py + e) < 0.01 && std::abs(b * px + f) < 0.01;
        font += leans && keeps ? " italic" : " transform " + transform.toStdString();
      }
      if (has("d")) font += " underline";
      if (vertical) font += " vertical";
      const std::string fill = colour("fill");
      const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
      seen.push_back(Join("Text", {whole(x), whole(y)}, font + " " + fill + " " + text.toStdString()));
    }
  }
  if (xml.hasError()) *error = xml.errorString().toStdString();
  return seen;
}

}  // namespace orbline
