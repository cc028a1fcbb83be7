#include "platform/sjis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
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

}  // namespace

std::string SjisToUtf8(std::string_view sjis) { return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", OneByte); }

std::string Utf8ToSjis(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, "?", Utf8Length); }

}  // namespace orbline
