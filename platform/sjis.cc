#include "platform/sjis.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace orbline {
namespace {

constexpr uint32_t kInvalid = 0xFFFFFFFF;
constexpr uint32_t kLeadByte = 0xFFFFFFFE;
constexpr uint16_t kNoBytes = 0xFFFF;  // a character that encodes to nothing
#include "sjis_codec.inc"

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The row of kPair for `lead`, or -1 when it is no lead byte.
constexpr std::array<int8_t, 256> LeadRows() {
  std::array<int8_t, 256> rows{};
  rows.fill(-1);
  for (int i = 0; i < kLeadByteCount; ++i) rows[kLeadBytes[i]] = static_cast<int8_t>(i);
  return rows;
}
constexpr std::array<int8_t, 256> kLeadRow = LeadRows();

// The character of code page 932 at `in[at]`, and its length in bytes (1 or 2); a length of 0 when
// the byte there starts none.
struct Decoded {
  char32_t c;
  size_t length;
};
Decoded DecodeAt(std::string_view in, size_t at) {
  const auto b = static_cast<unsigned char>(in[at]);
  const uint32_t single = kSingleByte[b];
  if (single != kInvalid && single != kLeadByte) return {single, 1};
  if (single == kLeadByte && at + 1 < in.size()) {
    const uint16_t c = kPair[kLeadRow[b]][static_cast<unsigned char>(in[at + 1])];
    if (c != 0) return {c, 2};
  }
  return {0, 0};
}

// The bytes the lead byte `lead` of UTF-8 claims; an invalid or unmappable character is passed
// over by as many.
size_t Utf8Length(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

// The code point of the well-formed UTF-8 character at `in[at]` (shortest form, no surrogates, up
// to U+10FFFF), or kInvalid.
char32_t Utf8At(std::string_view in, size_t at) {
  const auto lead = static_cast<unsigned char>(in[at]);
  if (lead < 0x80) return lead;
  if (lead < 0xC2 || lead > 0xF4) return kInvalid;
  const size_t length = Utf8Length(lead);
  if (at + length > in.size()) return kInvalid;
  char32_t c = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(in[at + i]);
    if ((b & 0xC0) != 0x80) return kInvalid;
    c = c << 6 | (b & 0x3F);
  }
  static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return kInvalid;
  return c;
}

}  // namespace

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

bool ReadsOnlyAsUtf8(std::string_view bytes) {
  // ASCII reads alike in both, so only the stretch from the first byte above it to the byte after
  // the last (a Shift_JIS trail byte may be ASCII) is looked at. Eight bytes are tested at a time.
  const auto high = [](unsigned char c) { return c >= 0x80; };
  size_t first = 0;
  const size_t n = bytes.size();
  for (; first + 8 <= n; first += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + first, 8);
    if (word & 0x8080808080808080ull) break;
  }
  while (first < n && !high(static_cast<unsigned char>(bytes[first]))) ++first;
  if (first == n) return false;
  size_t last = n - 1;
  while (!high(static_cast<unsigned char>(bytes[last]))) --last;
  const std::string_view stretch = bytes.substr(first, std::min(n, last + 2) - first);
  for (size_t at = 0; at < stretch.size(); at += Utf8Length(static_cast<unsigned char>(stretch[at])))
    if (Utf8At(stretch, at) == kInvalid) return false;
  for (size_t at = 0; at < stretch.size();) {
    const size_t length = DecodeAt(stretch, at).length;
    if (length == 0) return true;
    at += length;
  }
  return false;
}

std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() * 3 / 2 + 4);
  for (size_t at = 0; at < sjis.size();) {
    const Decoded d = DecodeAt(sjis, at);
    if (d.length == 0) {
      out += kReplacement;
      ++at;
    } else {
      AppendUtf8(d.c, &out);
      at += d.length;
    }
  }
  return out;
}

std::string Utf8ToSjis(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const char32_t c = Utf8At(utf8, at);
    const auto found = std::lower_bound(std::begin(kEncoding), std::end(kEncoding), c,
                                        [](const Encoding& e, char32_t v) { return e.codePoint < v; });
    const size_t length = std::min(utf8.size() - at, Utf8Length(static_cast<unsigned char>(utf8[at])));
    if (c == kInvalid || found == std::end(kEncoding) || found->codePoint != c) {
      out.push_back('?');
    } else if (found->bytes != kNoBytes) {
      if (found->bytes > 0xFF) out.push_back(static_cast<char>(found->bytes >> 8));
      out.push_back(static_cast<char>(found->bytes & 0xFF));
    }
    at += length;
  }
  return out;
}

}  // namespace orbline
