#include "platform/command_words.h"

namespace orbline {
namespace {

// The code point of the UTF-8 sequence at `text[*i]`, moving `*i` past it; a stray byte is taken
// as itself.
char32_t NextCodePoint(std::string_view text, size_t* i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(*i);
  const int length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (length == 1 || *i + length > text.size()) {
    ++*i;
    return lead;
  }
  char32_t c = lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) c = c << 6 | (byte(*i + k) & 0x3F);
  *i += length;
  return c;
}

// White space as Qt's QChar::isSpace has it: the ASCII blanks and Unicode's separators.
bool IsUnicodeSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::vector<std::string> SplitQuoted(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  int quotes = 0;
  bool inQuote = false;
  for (size_t i = 0; i < text.size();) {
    const size_t start = i;
    const char32_t c = NextCodePoint(text, &i);
    if (c == '"') {
      if (++quotes == 3) {  // """ is a quote character
        quotes = 0;
        word += '"';
      }
      continue;
    }
    if (quotes == 1) inQuote = !inQuote;
    quotes = 0;
    if (!inQuote && IsUnicodeSpace(c)) {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word.append(text.substr(start, i - start));
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> SplitWindows(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i == text.size()) return words;
  // The program: quotes group, backslashes are path separators.
  std::string program;
  for (bool inQuote = false; i < text.size() && (inQuote || !IsBlank(text[i])); ++i) {
    if (text[i] == '"')
      inQuote = !inQuote;
    else
      program += text[i];
  }
  words.push_back(std::move(program));
  for (;;) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) break;
    std::string word;
    bool inQuote = false;
    while (i < text.size() && (inQuote || !IsBlank(text[i]))) {
      if (text[i] == '\\') {
        size_t n = 0;
        while (i < text.size() && text[i] == '\\') ++n, ++i;
        const bool beforeQuote = i < text.size() && text[i] == '"';
        word.append(beforeQuote ? n / 2 : n, '\\');
        if (beforeQuote && n % 2 == 1) {
          word += '"';
          ++i;
        }
      } else if (text[i] == '"') {
        if (inQuote && i + 1 < text.size() && text[i + 1] == '"') {
          word += '"';
          i += 2;
        } else {
          inQuote = !inQuote;
          ++i;
        }
      } else {
        word += text[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

void AppendWindowsQuoted(std::string_view word, std::string* out) {
  if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string_view::npos) {
    out->append(word);
    return;
  }
  *out += '"';
  size_t backslashes = 0;
  for (const char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    out->append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    *out += c;
  }
  out->append(2 * backslashes, '\\');  // before the closing quote
  *out += '"';
}

void ReplaceAll(std::string* text, std::string_view from, std::string_view to) {
  for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at + to.size()))
    text->replace(at, from.size(), to);
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine, CommandSyntax syntax) {
  return syntax == CommandSyntax::kWindows ? SplitWindows(commandLine) : SplitQuoted(commandLine);
}

std::string JoinWindowsCommandLine(const std::vector<std::string>& words) {
  std::string line;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i == 0) {
      const bool quote = words[0].empty() || words[0].find_first_of(" \t") != std::string::npos;
      line += quote ? "\"" + words[0] + "\"" : words[0];
    } else {
      line += ' ';
      AppendWindowsQuoted(words[i], &line);
    }
  }
  return line;
}

std::vector<std::string> EditorWords(std::string_view commandLine, std::string_view path, int line,
                                     CommandSyntax syntax) {
  std::vector<std::string> words = SplitCommandLine(commandLine, syntax);
  if (words.empty()) return words;
  const std::string lineText = std::to_string(line > 0 ? line : 1);
  bool named = false;
  for (std::string& word : words) {
    named |= word.find("{file}") != std::string::npos;
    ReplaceAll(&word, "{line}", lineText);
    ReplaceAll(&word, "{file}", path);  // last: a path may itself hold "{line}"
  }
  if (!named) words.emplace_back(path);
  return words;
}

}  // namespace orbline
