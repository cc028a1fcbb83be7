#pragma once

// What a reader of a drawing sees: each mark with the pen, brush, font and colour it is drawn in,
// one line each, read from an SVG file that SvgCanvas wrote, and the same lines made from a
// RecordingCanvas recording. "Fill x y width height #RRGGBB", "Line x1 y1 x2 y2 pen W #C",
// "Ellipse left top right bottom pen W #C fill #C|none", "Text x y listing|label H [italic]
// [underline] [vertical] #C text"; logical units, sizes positive.

#include <QXmlStreamReader>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "view/lettering.h"
#include "view/svg_canvas.h"

namespace orbline {

inline std::string SeenLine(std::string name, std::initializer_list<long> numbers, const std::string& rest) {
  for (long n : numbers) name += " " + std::to_string(n);
  return name + " " + rest;
}

inline std::vector<std::string> SeenInRecording(const std::vector<std::string>& ops) {
  std::string pen = "pen 0 #000000", brush = "#FFFFFF", font = "listing", colour = "#000000";
  std::vector<std::string> seen;
  for (const std::string& op : ops) {
    std::istringstream in(op);
    std::string name, rest;
    long a = 0, b = 0, c = 0, d = 0;
    in >> name;
    if (name == "SelectPen" || name == "RestorePen") {
      pen = in >> a >> rest ? SeenLine("pen", {a}, rest) : "pen 0 #000000";
    } else if (name == "SelectBrush" || name == "RestoreBrush") {
      brush = in >> rest ? rest : "#FFFFFF";
    } else if (name == "SelectFont" || name == "RestoreFont") {
      font = name == "SelectFont" ? "label" + op.substr(name.size()) : "listing";
    } else if (name == "SetTextColour") {
      in >> colour;
    } else if (name == "FillSolidRect" && in >> a >> b >> c >> d >> rest && c != 0 && d != 0) {
      seen.push_back(SeenLine("Fill", {std::min(a, a + c), std::min(b, b + d), std::abs(c), std::abs(d)}, rest));
    } else if (name == "Line" && in >> a >> b >> c >> d) {
      seen.push_back(SeenLine("Line", {a, b, c, d}, pen));
    } else if (name.starts_with("Ellipse") && in >> a >> b >> c >> d) {
      seen.push_back(SeenLine("Ellipse", {std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d)},
                              pen + " fill " + (name == "Ellipse" ? brush : "none")));
    } else if (name == "Text" && in >> a >> b) {
      // Line breaks are not drawn; other control characters show as a box.
      std::string text;
      for (char ch : op.substr(static_cast<size_t>(in.tellg()) + 1)) {
        if ((static_cast<unsigned char>(ch) < 0x20 && ch != '\t') || ch == 0x7F)
          text += ch == '\r' || ch == '\n' ? "" : "\xEF\xBF\xBD";
        else
          text += ch;
      }
      seen.push_back(SeenLine("Text", {a, b}, font + " " + colour + " " + text));
    }
  }
  return seen;
}

// Reads the file back; `*error` says what is not well-formed or not as SvgCanvas writes it.
inline std::vector<std::string> SeenInSvg(const std::string& svg, std::string* error) {
  QXmlStreamReader xml(QByteArray::fromStdString(svg));
  std::vector<std::string> seen;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    const auto value = [&](const char* name) { return attributes.value(QLatin1String(name)).toString(); };
    const auto number = [&](const char* name) { return value(name).toDouble(); };
    const auto colour = [&](const char* name) {
      return value(name).isEmpty() ? std::string("#000000") : value(name).toUpper().toStdString();
    };
    const QStringList classes = value("class").split(QLatin1Char(' '));
    const auto has = [&](const char* c) { return classes.contains(QLatin1String(c)); };
    const std::string pen = SeenLine("pen", {has("h") ? 0 : std::lround(number("stroke-width"))}, colour("stroke"));
    if (xml.name() == u"rect") {
      seen.push_back(SeenLine("Fill",
                              {std::lround(number("x")), std::lround(number("y")), std::lround(number("width")),
                               std::lround(number("height"))},
                              colour("fill")));
    } else if (xml.name() == u"path") {
      for (const QString& line : value("d").split(QLatin1Char('M'), Qt::SkipEmptyParts)) {
        const QStringList p = line.split(QLatin1Char(' '));
        if (p.size() != 4) *error = "a path that is not lines: " + line.toStdString();
        seen.push_back(SeenLine(
            "Line", {p.value(0).toLong(), p.value(1).toLong(), p.value(2).toLong(), p.value(3).toLong()}, pen));
      }
    } else if (xml.name() == u"ellipse") {
      const double cx = number("cx"), cy = number("cy"), rx = number("rx"), ry = number("ry");
      seen.push_back(SeenLine("Ellipse",
                              {std::lround(cx - rx), std::lround(cy - ry), std::lround(cx + rx), std::lround(cy + ry)},
                              pen + " fill " + (value("fill") == u"none" ? "none" : colour("fill"))));
    } else if (xml.name() == u"text") {
      const bool listing = has("l"), vertical = has("v");
      const double size = listing ? kListingFontHeight : number("font-size"), ascent = SvgCanvas::kAscent * size;
      // The cell's top left: a column hangs from it half a cell left of the window's baseline,
      // other texts stand on a baseline one ascent below it.
      const double x = vertical ? number("x") + SvgCanvas::kCell * size / 2 : number("x");
      const double y = vertical ? number("y") : number("y") - ascent;
      std::string font = listing ? "listing" : "label " + std::to_string(std::lround(size));
      if (!value("transform").isEmpty()) {
        // Italic: a shear by the slant about the baseline of horizontal text, or of a column's
        // turned characters.
        const QStringList m = value("transform").mid(7).chopped(1).split(QLatin1Char(' '));
        const double b = m.value(1).toDouble(), c = m.value(2).toDouble(), e = m.value(4).toDouble();
        const double f = m.value(5).toDouble(), px = vertical ? x - ascent : x, py = y + ascent;
        const bool shear = std::abs(std::abs(vertical ? b : c) - kItalicSlant) < 1e-4 && (vertical ? c : b) == 0;
        const bool keepsBaseline = std::abs(c * py + e) < 0.01 && std::abs(b * px + f) < 0.01;
        font += shear && keepsBaseline ? " italic" : " transform " + value("transform").toStdString();
      }
      font += std::string(has("d") ? " underline" : "") + (vertical ? " vertical" : "") + " " + colour("fill");
      seen.push_back(SeenLine("Text", {std::lround(x), std::lround(y)},
                              font + " " + xml.readElementText(QXmlStreamReader::IncludeChildElements).toStdString()));
    }
  }
  if (xml.hasError()) *error = xml.errorString().toStdString();
  return seen;
}

}  // namespace orbline
