#include "platform/ini_profile_store.h"

#include <boost/property_tree/ini_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <charconv>
#include <fstream>
#include <vector>

#include "platform/replacing_file_writer.h"
#include "platform/sjis.h"
#include "platform/utf8_path.h"

namespace orbline {
namespace {

std::string Key(std::string_view section, std::string_view key) {
  return std::string(section) + "/" + std::string(key);
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

// The escape whose letter is at raw[i], after its backslash, added to `text`; returns where the
// value goes on.
size_t ReadEscape(std::string_view raw, size_t i, Text& text) {
  static constexpr std::pair<char, char> kEscapes[] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                                       {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                                       {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
  const char e = raw[i++];
  for (const auto& [name, value] : kEscapes)
    if (e == name) {
      text.Bytes(std::string_view(&value, 1));
      return i;
    }
  if (e == 'x') {
    uint32_t value = 0;
    bool any = false;
    for (int d; i < raw.size() && (d = HexDigit(raw[i])) >= 0; ++i, any = true) value = (value << 4 | d) & 0xFFFF;
    if (any) text.Unit(static_cast<char16_t>(value));
  } else if (e >= '0' && e <= '7') {
    uint32_t value = e - '0';
    for (; i < raw.size() && raw[i] >= '0' && raw[i] <= '7'; ++i) value = (value << 3 | (raw[i] - '0')) & 0xFFFF;
    text.Unit(static_cast<char16_t>(value));
  }
  return i;
}

}  // namespace

// As QSettings' own reader of INI values: blanks around unquoted parts are dropped, double quotes
// keep blanks and commas, a backslash starts an escape (a, b, f, n, r, t, v, ", ?, ', \, x and hex
// digits, octal digits; any other character is dropped with it), and an unquoted comma ends a
// list item.
std::string UnescapeQSettingsValue(std::string_view raw, bool* isList) {
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
      i = ReadEscape(raw, i, text);
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

IniProfileStore::IniProfileStore(const std::filesystem::path& path) : path_(path) {
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
      // QSettings doubles a text's leading '@', which would otherwise mark a typed value.
      if (!v.isList && v.text.starts_with("@@")) v.text.erase(0, 1);
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
  written_[{std::string(section), std::string(key)}] = std::to_string(value);
}

std::string IniProfileStore::GetText(std::string_view section, std::string_view key, std::string_view defaultValue) {
  const Value* v = Find(section, key);
  return v == nullptr ? std::string(defaultValue) : v->text;
}

void IniProfileStore::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  values_[Key(section, key)] = Value{std::string(value), false};
  written_[{std::string(section), std::string(key)}] = EscapeQSettingsValue(value);
}

std::string EscapeQSettingsValue(std::string_view text) {
  std::string out = !text.empty() && text[0] == '@' ? "@" : "";
  bool quote = false, hexBefore = false;
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    quote |= c == ';' || c == ',' || c == '=';
    // A digit after a \x escape would be read as part of it.
    if (hexBefore && HexDigit(c) >= 0) {
      out += "\\x" + std::string(1, "0123456789abcdef"[u >> 4]) + "0123456789abcdef"[u & 15];
      continue;
    }
    hexBefore = false;
    static constexpr std::pair<char, const char*> kEscapes[] = {
        {'\0', "\\0"}, {'\a', "\\a"}, {'\b', "\\b"}, {'\f', "\\f"}, {'\n', "\\n"},
        {'\r', "\\r"}, {'\t', "\\t"}, {'\v', "\\v"}, {'"', "\\\""}, {'\\', "\\\\"}};
    const char* escape = nullptr;
    for (const auto& [from, to] : kEscapes)
      if (c == from) escape = to;
    if (escape != nullptr) {
      out += escape;
      hexBefore = c == '\0';
    } else if (u <= 0x1F) {
      out += "\\x" + std::string(1, "0123456789abcdef"[u >> 4]) + "0123456789abcdef"[u & 15];
      hexBefore = true;
    } else {
      out += c;
    }
  }
  if (quote || (!text.empty() && (text.front() == ' ' || text.back() == ' '))) out = '"' + out + '"';
  return out;
}

namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Sets `key` of `section` to `value` among the file's lines: on the key's own line, after the
// section's last line, or in a new section at the end.
void SetLine(std::vector<std::string>& lines, const std::string& section, const std::string& key,
             const std::string& value) {
  const std::string header = "[" + section + "]";
  size_t at = 0;
  while (at < lines.size() && Trimmed(lines[at]) != header) ++at;
  if (at == lines.size()) {
    if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
    lines.push_back(header);
    lines.push_back(key + "=" + value);
    return;
  }
  size_t last = at;
  for (size_t i = at + 1; i < lines.size(); ++i) {
    const std::string_view line = Trimmed(lines[i]);
    if (!line.empty() && line.front() == '[') break;
    if (!line.empty()) last = i;
    const size_t equals = line.find('=');
    if (equals != std::string_view::npos && Trimmed(line.substr(0, equals)) == key) {
      lines[i] = key + "=" + value;
      return;
    }
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last + 1), key + "=" + value);
}

}  // namespace

bool IniProfileStore::Save(std::string* err) {
  if (!error_.empty()) {
    *err = "the profile was not read (" + error_ + "), so it is not written over";
    return false;
  }
  std::string bytes;
  {
    // Closed before the file is replaced: Windows refuses to replace a file held open.
    std::ifstream in(path_, std::ios::binary);
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
#ifdef _WIN32
  std::string eol = "\r\n";
#else
  std::string eol = "\n";
#endif
  if (const size_t first = bytes.find('\n'); first != std::string::npos)
    eol = first > 0 && bytes[first - 1] == '\r' ? "\r\n" : "\n";
  std::vector<std::string> lines;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  for (const auto& [where, value] : written_) SetLine(lines, where.first, where.second, value);
  std::string text;
  for (const std::string& line : lines) text += line + eol;
  std::string reason;
  if (!WriteFileReplacing(
          path_, [&text](ByteSink& sink) { return sink.Write(text.data(), text.size()); }, &reason)) {
    *err = Utf8(path_) + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace orbline
