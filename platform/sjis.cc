#include "platform/sjis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace orbline {
namespace {

// Bytes of the input character that starts at `p`: one for code page 932 (each byte that does not
// decode is replaced on its own), the sequence length for UTF-8.
using CharLength = size_t (*)(unsigned char lead);
size_t OneByte(unsigned char) { return 1; }
size_t Utf8Length(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

// Converts with glibc's iconv; `bad` is appended for each input character it cannot convert.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view bad, CharLength length) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: code page 932 missing");
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char buf[4096];
  char* inp = const_cast<char*>(in.data());
  size_t inleft = in.size();
  while (inleft > 0) {
    char* outp = buf;
    size_t outleft = sizeof buf;
    size_t rc = iconv(cd, &inp, &inleft, &outp, &outleft);
    out.append(buf, outp - buf);
    if (rc == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a lone lead byte at the end): mark the character and go on after it.
      out.append(bad);
      const size_t skip = std::min(inleft, length(static_cast<unsigned char>(*inp)));
      inp += skip;
      inleft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

// A converter opened once and kept, for checks that run on many lines.
class Decoder {
 public:
  explicit Decoder(const char* from) : cd_(iconv_open("UTF-16LE", from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv: ") + from + " missing");
  }
  ~Decoder() { iconv_close(cd_); }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  // True when every byte of `in` decodes.
  bool Decodes(std::string_view in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inp = const_cast<char*>(in.data());
    size_t inleft = in.size();
    char buf[1024];
    while (inleft > 0) {
      char* outp = buf;
      size_t outleft = sizeof buf;
      if (iconv(cd_, &inp, &inleft, &outp, &outleft) == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

bool ReadsOnlyAsUtf8(std::string_view bytes) {
  // ASCII reads alike in both, so only the stretch from the first byte above it to the byte after
  // the last (a Shift_JIS trail byte may be ASCII) is decoded. Eight bytes are tested at a time.
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
  thread_local Decoder utf8("UTF-8");
  thread_local Decoder cp932("CP932");
  return utf8.Decodes(stretch) && !cp932.Decodes(stretch);
}

std::string SjisToUtf8(std::string_view sjis) { return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", OneByte); }

std::string Utf8ToSjis(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, "?", Utf8Length); }

}  // namespace orbline
