// sjis_codec_table OUTPUT
//
// Writes the code page 932 tables that platform/sjis.cc converts with, as C++ initialisers, taken
// from this machine's iconv ("CP932"): what each single byte decodes to, what each pair of a lead
// and a trail byte decodes to, and the bytes each Unicode character encodes to. The program itself
// then needs no iconv, and decodes and encodes alike on every system it is built for.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The code points `in` decodes to, when iconv takes every byte of it; empty otherwise.
std::u32string Decode(iconv_t cd, const std::string& in) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string copy = in;
  char* inp = copy.data();
  size_t inleft = copy.size();
  char32_t out[8];
  char* outp = reinterpret_cast<char*>(out);
  size_t outleft = sizeof out;
  if (iconv(cd, &inp, &inleft, &outp, &outleft) == static_cast<size_t>(-1) || inleft != 0) return {};
  return std::u32string(out, (sizeof out - outleft) / sizeof(char32_t));
}

// The bytes code point `c` encodes to ("" for none: glibc drops the tag characters U+E0000 to
// U+E007F), or nullopt when code page 932 has no such character.
std::optional<std::string> Encode(iconv_t cd, char32_t c) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char32_t in = c;
  char* inp = reinterpret_cast<char*>(&in);
  size_t inleft = sizeof in;
  char out[8];
  char* outp = out;
  size_t outleft = sizeof out;
  if (iconv(cd, &inp, &inleft, &outp, &outleft) == static_cast<size_t>(-1) || inleft != 0) return std::nullopt;
  return std::string(out, sizeof out - outleft);
}

bool IsLead(iconv_t cd, unsigned b) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in[1] = {static_cast<char>(b)};
  char* inp = in;
  size_t inleft = 1;
  char32_t out[2];
  char* outp = reinterpret_cast<char*>(out);
  size_t outleft = sizeof out;
  // A lead byte alone is an incomplete character, not an invalid one.
  return iconv(cd, &inp, &inleft, &outp, &outleft) == static_cast<size_t>(-1) && errno == EINVAL;
}

// Single bytes: the code point, kLeadByte, or kInvalid. Returns the lead bytes, rising.
std::vector<unsigned> WriteSingleBytes(iconv_t decoder, std::ostream& s) {
  std::vector<unsigned> leads;
  s << "constexpr uint32_t kSingleByte[256] = {";
  for (unsigned b = 0; b < 256; ++b) {
    const std::u32string c = Decode(decoder, std::string(1, static_cast<char>(b)));
    if (c.size() == 1) {
      s << static_cast<uint32_t>(c[0]);
    } else if (IsLead(decoder, b)) {
      s << "kLeadByte";
      leads.push_back(b);
    } else {
      s << "kInvalid";
    }
    s << (b % 16 == 15 ? ",\n" : ",");
  }
  s << "};\n";
  return leads;
}

// Pairs: for each lead byte in order, 256 code points by trail byte; 0 where the pair is invalid.
bool WritePairs(iconv_t decoder, const std::vector<unsigned>& leads, std::ostream& s) {
  s << "constexpr int kLeadByteCount = " << leads.size() << ";\n";
  s << "constexpr uint8_t kLeadBytes[kLeadByteCount] = {";
  for (unsigned b : leads) s << b << ",";
  s << "};\n";
  s << "constexpr uint16_t kPair[kLeadByteCount][256] = {\n";
  for (unsigned lead : leads) {
    s << "{";
    for (unsigned trail = 0; trail < 256; ++trail) {
      const std::u32string c = Decode(decoder, {static_cast<char>(lead), static_cast<char>(trail)});
      if (c.size() > 1 || (c.size() == 1 && (c[0] == 0 || c[0] > 0xFFFF))) {
        std::cerr << "sjis_codec_table: pair " << lead << " " << trail << " is not one character of 16 bits\n";
        return false;
      }
      s << (c.empty() ? 0u : static_cast<uint32_t>(c[0])) << ",";
    }
    s << "},\n";
  }
  s << "};\n";
  return true;
}

// Encoding: every code point iconv encodes, rising, with its bytes as one number (a lead byte
// above the trail byte; a single byte below 256; kNoBytes for a character dropped).
bool WriteEncoding(iconv_t encoder, std::ostream& s) {
  s << "struct Encoding { uint32_t codePoint; uint16_t bytes; };\n";
  s << "constexpr Encoding kEncoding[] = {\n";
  int count = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;
    const std::optional<std::string> encoded = Encode(encoder, c);
    if (!encoded) continue;
    const std::string& bytes = *encoded;
    if (bytes.size() > 2) {
      std::cerr << "sjis_codec_table: U+" << std::hex << static_cast<uint32_t>(c) << " takes more than two bytes\n";
      return false;
    }
    const unsigned value = bytes.empty() ? 0xFFFF
                           : bytes.size() == 1
                               ? static_cast<unsigned char>(bytes[0])
                               : static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]);
    s << "{" << static_cast<uint32_t>(c) << "," << value << (++count % 8 == 0 ? "},\n" : "},");
  }
  s << "};\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: sjis_codec_table OUTPUT\n";
    return 2;
  }
  iconv_t decoder = iconv_open("UTF-32LE", "CP932");
  iconv_t encoder = iconv_open("CP932", "UTF-32LE");
  if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1)) {
    std::cerr << "sjis_codec_table: this machine's iconv has no CP932\n";
    return 1;
  }
  std::ostringstream s;
  s << "// Generated by sjis_codec_table from this machine's iconv (CP932). Do not edit.\n";
  if (!WritePairs(decoder, WriteSingleBytes(decoder, s), s) || !WriteEncoding(encoder, s)) return 1;
  iconv_close(decoder);
  iconv_close(encoder);

  const std::string tmp = std::string(argv[1]) + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out << s.str();
    if (!out.flush()) {
      std::cerr << tmp << ": cannot write\n";
      return 1;
    }
  }
  if (std::rename(tmp.c_str(), argv[1]) != 0) {
    std::cerr << argv[1] << ": cannot write\n";
    return 1;
  }
  return 0;
}
