#include "platform/ini_profile_store.h"

#include <boost/property_tree/ini_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <charconv>
#include <fstream>
#include <vector>

#include "platform/utf8_path.h"

namespace orbline {
namespace {

std::string Key(std::string_view section, std::string_view key) {
  return std::string(section) + "/" + std::string(key);
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | c >> 6));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | c >> 12));
    out->push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | c >> 18));
    out->push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The text of one value being built: UTF-8, with the UTF-16 code units of \x and octal escapes
// joined into characters (a surrogate pair may come as two escapes).
class Text {
 public:
  void Bytes(std::string_view bytes) {
    Flush();
    text_ += bytes;
  }
  void Unit(char16_t unit) {
    if (high_ != 0 && unit >= 0xDC00 && unit < 0xE000) {
      AppendUtf8(0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00), &text_);
      high_ = 0;
      return;
    }
    Flush();
    if (unit >= 0xD800 && unit < 0xDC00) {
      high_ = unit;
    } else {
      AppendUtf8(unit >= 0xDC00 && unit < 0xE000 ? 0xFFFD : unit, &text_);
    }
  }
  // Drops the blanks at the end back to `limit`, the length when the last escape was taken.
  void ChopTrailingBlanks(size_t limit) {
    Flush();
    while (text_.size() > limit && (text_.back() == ' ' || text_.back() == '\t')) text_.pop_back();
  }
  size_t size() const { return text_.size(); }
  std::string Take() {
    Flush();
    return std::move(text_);
  }

 private:
  void Flush() {
    if (high_ != 0) AppendUtf8(0xFFFD, &text_);
    high_ = 0;
  }
  std::string text_;
  char16_t high_ = 0;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

// As QSettings' own reader of INI values: blanks around unquoted parts are dropped, double quotes
// keep blanks and commas, a backslash starts an escape (a, b, f, n, r, t, v, ", ?, ', \, x and hex
// digits, octal digits; any other character is dropped with it), and an unquoted comma ends a
// list item.
std::string UnescapeQSettingsValue(std::string_view raw, bool* isList) {
  static constexpr std::pair<char, char> kEscapes[] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                                       {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                                       {'?', '?'}, {'\'', '\''}, {'\\', '\\'}};
  std::vector<std::string> items;
  Text text;
  bool inQuotes = false, quoted = false;
  size_t i = 0;
  const auto skipBlanks = [&] {
    while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
  };
  skipBlanks();
  size_t chopLimit = 0;
  while (i < raw.size()) {
    const char c = raw[i];
    if (c == '\\') {
      if (++i >= raw.size()) break;
      const char e = raw[i++];
      bool simple = false;
      for (const auto& [name, value] : kEscapes)
        if (e == name) {
          text.Bytes(std::string_view(&value, 1));
          simple = true;
        }
      if (!simple && e == 'x') {
        uint32_t value = 0;
        bool any = false;
        for (int d; i < raw.size() && (d = HexDigit(raw[i])) >= 0; ++i, any = true) value = (value << 4 | d) & 0xFFFF;
        if (any) text.Unit(static_cast<char16_t>(value));
      } else if (!simple && e >= '0' && e <= '7') {
        uint32_t value = e - '0';
        for (; i < raw.size() && raw[i] >= '0' && raw[i] <= '7'; ++i) value = (value << 3 | (raw[i] - '0')) & 0xFFFF;
        text.Unit(static_cast<char16_t>(value));
      }
      chopLimit = text.size();
    } else if (c == '"') {
      ++i;
      quoted = true;
      inQuotes = !inQuotes;
      if (!inQuotes) {
        skipBlanks();
        chopLimit = text.size();
      }
    } else if (c == ',' && !inQuotes) {
      if (!quoted) text.ChopTrailingBlanks(chopLimit);
      items.push_back(text.Take());
      quoted = false;
      ++i;
      skipBlanks();
      chopLimit = 0;
    } else {
      const size_t end = raw.find_first_of(inQuotes ? "\\\"" : "\\\",", i + 1);
      text.Bytes(raw.substr(i, (end == std::string_view::npos ? raw.size() : end) - i));
      i = end == std::string_view::npos ? raw.size() : end;
    }
  }
  if (!quoted) text.ChopTrailingBlanks(chopLimit);
  *isList = !items.empty();
  if (items.empty()) return text.Take();
  items.push_back(text.Take());
  std::string joined;
  for (size_t n = 0; n < items.size(); ++n) joined += (n ? ", " : "") + items[n];
  return joined;
}

IniProfileStore::IniProfileStore(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) error_ = "cannot be read";
    return;
  }
  boost::property_tree::ptree tree;
  try {
    boost::property_tree::ini_parser::read_ini(in, tree);
  } catch (const boost::property_tree::ini_parser_error& e) {
    error_ = "line " + std::to_string(e.line()) + ": " + e.message();
    return;
  } catch (const std::exception& e) {
    error_ = e.what();
    return;
  }
  for (const auto& [section, keys] : tree) {
    for (const auto& [key, value] : keys) {
      Value v;
      v.text = UnescapeQSettingsValue(value.data(), &v.isList);
      values_[Key(section, key)] = std::move(v);
    }
  }
}

const IniProfileStore::Value* IniProfileStore::Find(std::string_view section, std::string_view key) const {
  const auto it = values_.find(Key(section, key));
  return it == values_.end() ? nullptr : &it->second;
}

int IniProfileStore::GetInt(std::string_view section, std::string_view key, int defaultValue) {
  const Value* v = Find(section, key);
  if (v == nullptr || v->isList) return defaultValue;
  std::string_view text = v->text;
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty() ? value : defaultValue;
}

void IniProfileStore::WriteInt(std::string_view section, std::string_view key, int value) {
  values_[Key(section, key)] = Value{std::to_string(value), false};
}

std::string IniProfileStore::GetText(std::string_view section, std::string_view key, std::string_view defaultValue) {
  const Value* v = Find(section, key);
  return v == nullptr ? std::string(defaultValue) : v->text;
}

void IniProfileStore::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  values_[Key(section, key)] = Value{std::string(value), false};
}

}  // namespace orbline
