#include "platform/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace orbline {
namespace {

// Converts with glibc's iconv; `bad` is appended for each input byte it cannot convert.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view bad) {
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
      // EILSEQ or EINVAL (a lone lead byte at the end): mark one byte and go on after it.
      out.append(bad);
      ++inp;
      --inleft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) { return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD"); }

std::string Utf8ToSjis(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, "?"); }

}  // namespace orbline
