#include "cli/zkf_dump.h"

#include <nlohmann/json.hpp>

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
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
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

}  // namespace

std::string DumpText(const ZkfFile& f) {
  std::string s;
  s += "ZKF format " + std::to_string(f.version / 100) + "." + (f.version % 100 < 10 ? "0" : "") +
       std::to_string(f.version % 100) + "\n";
  s += "\n[Info] at byte " + std::to_string(f.infoOffset) + "\n";
  for (int i = 0; i < kRouteInfoCount; ++i)
    s += std::string("  ") + kRouteInfoNames[i] + ": " + Shown(f.routeInfo.texts[i]) + "\n";

  s += "\n[Kind] at byte " + std::to_string(f.kindOffset) + ", " + std::to_string(f.kinds.size()) + " rows\n";
  for (size_t i = 0; i < f.kinds.size(); ++i) {
    const auto& k = f.kinds[i];
    s += "  " + std::to_string(i + 1) + "  colour #" + Hex(k.colour & 0xFF, 2) + Hex((k.colour >> 8) & 0xFF, 2) +
         Hex((k.colour >> 16) & 0xFF, 2) + (k.colour >> 24 ? " (top byte " + Hex(k.colour >> 24, 2) + ")" : "") + "  " +
         Shown(k.texts[0]) + " | " + Shown(k.texts[1]) + "\n";
  }

  s += "\n[Eki] at byte " + std::to_string(f.ekiOffset) + ", " + std::to_string(f.stations.size()) + " rows\n";
  for (size_t i = 0; i < f.stations.size(); ++i) {
    const auto& st = f.stations[i];
    s += "  " + std::to_string(i + 1) + "  " + Numbers(st.values) + "  " + Shown(st.label) + " | " + Shown(st.name) +
         " | " + Shown(st.note) + "\n";
  }

  s += "\n[Map] at byte " + std::to_string(f.mapOffset) + ", " + std::to_string(f.mapItems.size()) + " items\n";
  for (size_t i = 0; i < f.mapItems.size(); ++i) {
    const auto& m = f.mapItems[i];
    s += "  " + std::to_string(i + 1) + "  " + Numbers(m.values) + (m.text.empty() ? "" : "  " + Shown(m.text)) + "\n";
  }

  s += "\nmaxCalcStation " + std::to_string(f.maxCalcStation) + ", weekkind " + std::to_string(f.weekkind) + ", " +
       std::to_string(zkf::TrainWidth(f.maxCalcStation)) + " words per train\n";
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

bool DumpJson(const ZkfFile& f, std::string* json, std::string* error) {
  using Json = nlohmann::ordered_json;
  try {
    Json out;
    out["version"] = f.version;
    Json info = Json::object();
    for (int i = 0; i < kRouteInfoCount; ++i) info[kRouteInfoNames[i]] = SjisToUtf8(f.routeInfo.texts[i]);
    out["info"] = std::move(info);
    Json kinds = Json::array();
    for (const auto& k : f.kinds) {
      kinds.push_back({{"colour", k.colour},
                       {"red", k.colour & 0xFF},
                       {"green", (k.colour >> 8) & 0xFF},
                       {"blue", (k.colour >> 16) & 0xFF},
                       {"text1", SjisToUtf8(k.texts[0])},
                       {"text2", SjisToUtf8(k.texts[1])}});
    }
    out["kinds"] = std::move(kinds);
    Json stations = Json::array();
    for (const auto& st : f.stations) {
      stations.push_back({{"values", st.values},
                          {"label", SjisToUtf8(st.label)},
                          {"name", SjisToUtf8(st.name)},
                          {"note", SjisToUtf8(st.note)}});
    }
    out["stations"] = std::move(stations);
    Json map = Json::array();
    for (const auto& m : f.mapItems) map.push_back({{"values", m.values}, {"text", SjisToUtf8(m.text)}});
    out["map"] = std::move(map);
    out["maxCalcStation"] = f.maxCalcStation;
    out["weekkind"] = f.weekkind;
    Json data = Json::array();
    for (const auto& section : f.data) {
      Json trains = Json::array();
      for (const auto& t : section.trains) {
        Json texts = Json::array();
        for (const std::string& text : t.texts) texts.push_back(SjisToUtf8(text));
        trains.push_back({{"values", t.values}, {"texts", std::move(texts)}});
      }
      data.push_back({{"dayType", kDayTypeNames[section.dayType]}, {"trains", std::move(trains)}});
    }
    out["data"] = std::move(data);
    out["icon"] = f.icon;
    *json = out.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
    return true;
  } catch (const std::exception& e) {
    *error = e.what();
    return false;
  }
}

}  // namespace orbline
