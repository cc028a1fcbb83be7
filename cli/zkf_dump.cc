#include "cli/zkf_dump.h"

#include <cstdio>

#include "compiler/zkf_format.h"
#include "platform/sjis.h"

namespace orbline {
namespace {

const char* const kRouteInfoNames[kRouteInfoCount] = {"routeName", "version", "author", "effectiveDate", "remarks"};
const char* const kDayTypeNames[kDayTypeCount] = {"weekday", "saturday", "sunday"};

std::string Hex(uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, v);
  return buf;
}

// A text for a terminal: UTF-8, with line breaks shown as \r and \n so each row stays one line.
std::string Shown(const std::string& sjis) {
  std::string out;
  for (char c : SjisToUtf8(sjis)) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

template <typename Values>
std::string Numbers(const Values& values) {
  std::string s;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) s += ' ';
    s += std::to_string(values[i]);
  }
  return s;
}

std::string Json(const std::string& sjis) {
  std::string out = "\"";
  for (char c : SjisToUtf8(sjis)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00" + Hex(static_cast<unsigned char>(c), 2);
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

template <typename Values>
std::string JsonNumbers(const Values& values) {
  std::string s = "[";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) s += ",";
    s += std::to_string(values[i]);
  }
  return s + "]";
}

template <typename Texts>
std::string JsonTexts(const Texts& texts) {
  std::string s = "[";
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i) s += ",";
    s += Json(texts[i]);
  }
  return s + "]";
}

}  // namespace

std::string DumpText(const ZkfFile& f) {
  std::string s;
  s += "ZKF format " + std::to_string(f.version / 100) + "." + (f.version % 100 < 10 ? "0" : "") +
       std::to_string(f.version % 100) + "\n";
  s += "\n[Info] at byte " + std::to_string(f.infoOffset) + "\n";
  for (int i = 0; i < kRouteInfoCount; ++i) s += std::string("  ") + kRouteInfoNames[i] + ": " + Shown(f.routeInfo.texts[i]) + "\n";

  s += "\n[Kind] at byte " + std::to_string(f.kindOffset) + ", " + std::to_string(f.kinds.size()) + " rows\n";
  for (size_t i = 0; i < f.kinds.size(); ++i) {
    const auto& k = f.kinds[i];
    s += "  " + std::to_string(i + 1) + "  colour #" + Hex(k.colour & 0xFF, 2) + Hex((k.colour >> 8) & 0xFF, 2) +
         Hex((k.colour >> 16) & 0xFF, 2) + (k.colour >> 24 ? " (top byte " + Hex(k.colour >> 24, 2) + ")" : "") +
         "  " + Shown(k.texts[0]) + " | " + Shown(k.texts[1]) + "\n";
  }

  s += "\n[Eki] at byte " + std::to_string(f.ekiOffset) + ", " + std::to_string(f.stations.size()) + " rows\n";
  for (size_t i = 0; i < f.stations.size(); ++i) {
    const auto& st = f.stations[i];
    s += "  " + std::to_string(i + 1) + "  " + Numbers(st.values) + "  " + Shown(st.label) + " | " +
         Shown(st.name) + " | " + Shown(st.note) + "\n";
  }

  s += "\n[Map] at byte " + std::to_string(f.mapOffset) + ", " + std::to_string(f.mapItems.size()) + " items\n";
  for (size_t i = 0; i < f.mapItems.size(); ++i) {
    const auto& m = f.mapItems[i];
    s += "  " + std::to_string(i + 1) + "  " + Numbers(m.values) + (m.text.empty() ? "" : "  " + Shown(m.text)) + "\n";
  }

  s += "\nmaxCalcStation " + std::to_string(f.maxCalcStation) + ", weekkind " + std::to_string(f.weekkind) +
       ", " + std::to_string(zkf::TrainWidth(f.maxCalcStation)) + " words per train\n";
  for (const auto& section : f.data) {
    s += "\n[Data] " + std::string(kDayTypeNames[section.dayType]) + " at byte " + std::to_string(section.offset) +
         ", " + std::to_string(section.trains.size()) + " trains\n";
    for (size_t i = 0; i < section.trains.size(); ++i) {
      const auto& t = section.trains[i];
      s += "  " + std::to_string(i + 1) + "  " + Numbers(t.values) + "  " + Shown(t.texts[0]) + " | " +
           Shown(t.texts[1]) + " | " + Shown(t.texts[2]) + "\n";
    }
  }
  s += "\n[Icon] at byte " + std::to_string(f.iconOffset) + ": " + std::to_string(f.icon) + "\n";
  return s;
}

std::string DumpJson(const ZkfFile& f) {
  std::string s = "{\"version\":" + std::to_string(f.version) + ",\"info\":{";
  for (int i = 0; i < kRouteInfoCount; ++i) {
    if (i) s += ",";
    s += std::string("\"") + kRouteInfoNames[i] + "\":" + Json(f.routeInfo.texts[i]);
  }
  s += "},\"kinds\":[";
  for (size_t i = 0; i < f.kinds.size(); ++i) {
    const auto& k = f.kinds[i];
    if (i) s += ",";
    s += "{\"colour\":" + std::to_string(k.colour) + ",\"red\":" + std::to_string(k.colour & 0xFF) +
         ",\"green\":" + std::to_string((k.colour >> 8) & 0xFF) + ",\"blue\":" + std::to_string((k.colour >> 16) & 0xFF) +
         ",\"text1\":" + Json(k.texts[0]) + ",\"text2\":" + Json(k.texts[1]) + "}";
  }
  s += "],\"stations\":[";
  for (size_t i = 0; i < f.stations.size(); ++i) {
    const auto& st = f.stations[i];
    if (i) s += ",";
    s += "{\"values\":" + JsonNumbers(st.values);
    s += ",\"label\":" + Json(st.label) + ",\"name\":" + Json(st.name) + ",\"note\":" + Json(st.note);
    s += "}";
  }
  s += "],\"map\":[";
  for (size_t i = 0; i < f.mapItems.size(); ++i) {
    if (i) s += ",";
    s += "{\"values\":" + JsonNumbers(f.mapItems[i].values) + ",\"text\":" + Json(f.mapItems[i].text) + "}";
  }
  s += "],\"maxCalcStation\":" + std::to_string(f.maxCalcStation) + ",\"weekkind\":" + std::to_string(f.weekkind) +
       ",\"data\":[";
  for (size_t d = 0; d < f.data.size(); ++d) {
    const auto& section = f.data[d];
    if (d) s += ",";
    s += std::string("{\"dayType\":\"") + kDayTypeNames[section.dayType] + "\",\"trains\":[";
    for (size_t i = 0; i < section.trains.size(); ++i) {
      if (i) s += ",";
      s += "{\"values\":" + JsonNumbers(section.trains[i].values) + ",\"texts\":" + JsonTexts(section.trains[i].texts) +
           "}";
    }
    s += "]}";
  }
  s += "],\"icon\":" + std::to_string(f.icon) + "}\n";
  return s;
}

}  // namespace orbline
