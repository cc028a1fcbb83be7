// orblinec serve's answer to arbitrary requests: the bytes are either a raw HTTP request, parsed as
// the server parses it, or method, target, header lines and body parted by line breaks. Whatever
// comes, the answer is a status from 200 to 599 and no crash; no program is ever started.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "cli/serve_handler.h"
#include "cli/serve_server.h"
#include "cli/served_line.h"
#include "platform/utf8_path.h"

namespace {

using namespace orbline;
namespace fs = std::filesystem;

constexpr char kToken[] = "0123456789abcdef0123456789abcdef";

ServeHandler& Handler() {
  static ServeHandler* handler = [] {
    const fs::path dir = fs::temp_directory_path() / "orbline-fuzz-serve";
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    fs::copy(ORBLINE_FUZZ_SAMPLE, dir / "line", ec);
    ServedLine::Options options;
    options.folder = dir / "line";
    options.output = dir / "line.zkf";
    options.profile = std::make_unique<IniProfileStore>(dir / "Orbline.ini");
    options.start = [](const std::vector<std::string>&, std::string*) { return true; };
    static ServedLine line(std::move(options));
    return new ServeHandler(line, kToken, 8123, ViewState{});
  }();
  return *handler;
}

// "METHOD\nTARGET\nName: value\n...\n\nBODY"
HttpRequest SplitRequest(std::string_view text) {
  HttpRequest r;
  auto line = [&text] {
    const size_t end = text.find('\n');
    const std::string_view l = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return std::string(l);
  };
  r.method = line();
  r.target = line();
  for (std::string header = line(); !header.empty(); header = line()) {
    const size_t colon = header.find(':');
    r.headers.emplace_back(header.substr(0, colon), colon == std::string::npos ? "" : header.substr(colon + 1));
  }
  r.body = std::string(text);
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  HttpRequest request;
  std::string err;
  if (!bytes.empty() && bytes[0] == 'R') {
    if (!ParseHttpRequest(bytes.substr(1), &request, &err)) return 0;
  } else {
    request = SplitRequest(bytes);
  }
  const HttpResponse response = Handler().Handle(request);
  if (response.status < 200 || response.status > 599) abort();
  return 0;
}
