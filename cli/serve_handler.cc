#include "cli/serve_handler.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <optional>

#include "cli/page_assets.h"
#include "cli/served_line.h"
#include "platform/sjis.h"
#include "view/display.h"

namespace orbline {
namespace {

using Json = nlohmann::json;

constexpr char kJson[] = "application/json; charset=utf-8";
constexpr std::size_t kLargestSize = 20000;  // pixels each way, as orblinec render --size

HttpResponse Answer(int status, const Json& json) {
  HttpResponse r;
  r.status = status;
  r.contentType = kJson;
  r.body = json.dump(-1, ' ', false, Json::error_handler_t::replace);
  return r;
}

HttpResponse Refusal(int status, const std::string& why) { return Answer(status, Json{{"error", why}}); }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

// The value of `name` in a query ("a=1&b=2"), percent escapes undone; none when it is missing.
std::optional<std::string> QueryValue(std::string_view query, std::string_view name) {
  while (!query.empty()) {
    const size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    const size_t eq = pair.find('=');
    if (pair.substr(0, eq) != name) continue;
    const std::string_view raw = eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
    std::string value;
    for (size_t i = 0; i < raw.size(); ++i) {
      unsigned byte = 0;
      if (raw[i] == '%' && i + 2 < raw.size() &&
          std::from_chars(raw.data() + i + 1, raw.data() + i + 3, byte, 16).ptr == raw.data() + i + 3) {
        value += static_cast<char>(byte);
        i += 2;
      } else {
        value += raw[i] == '+' ? ' ' : raw[i];
      }
    }
    return value;
  }
  return std::nullopt;
}

// The whole number `name` of a query within [min, max].
std::optional<int> QueryInt(std::string_view query, std::string_view name, int min, int max) {
  const std::optional<std::string> text = QueryValue(query, name);
  if (!text || text->empty()) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (ec != std::errc() || end != text->data() + text->size() || value < min || value > max) return std::nullopt;
  return value;
}

// Compares without telling by its time how much of the token was right.
bool SameToken(std::string_view a, std::string_view b) {
  unsigned char differ = a.size() != b.size();
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differ == 0 && !a.empty();
}

Json FindingJson(const Finding& f) {
  return Json{{"severity", f.IsError() ? "error" : "warning"},
              {"file", f.file},
              {"line", f.line},
              {"code", f.code},
              {"message", SjisToUtf8(f.message)}};
}

// A whole number of a JSON object within [min, max].
std::optional<int> JsonInt(const Json& object, const char* key, int min, int max) {
  const auto it = object.find(key);
  if (it == object.end() || !it->is_number_integer()) return std::nullopt;
  const auto value = it->get<long long>();
  if (value < min || value > max) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::string HttpRequest::Header(std::string_view name) const {
  const std::string wanted = Lower(name);
  for (const auto& [key, value] : headers)
    if (Lower(key) == wanted) return value;
  return "";
}

ServeHandler::ServeHandler(ServedLine& line, std::string token, int port, ViewState firstView)
    : line_(line), token_(std::move(token)), port_(port), firstView_(firstView) {}

std::string ServeHandler::ChangedEvent(std::uint64_t generation) {
  return "event: changed\ndata: " + std::to_string(generation) + "\n\n";
}

bool ServeHandler::FromLoopback(const HttpRequest& request) const {
  const std::string host = Lower(request.Header("Host"));
  const std::string port = ":" + std::to_string(port_);
  if (host != "127.0.0.1" + port && host != "localhost" + port) return false;
  // A page's own requests name their origin; one from elsewhere is refused even with the token.
  const std::string origin = Lower(request.Header("Origin"));
  return origin.empty() || origin == "http://127.0.0.1" + port || origin == "http://localhost" + port;
}

bool ServeHandler::HasToken(const HttpRequest& request, std::string_view queryToken, bool headerOnly) const {
  if (SameToken(request.Header("X-Orbline-Token"), token_)) return true;
  return !headerOnly && SameToken(queryToken, token_);
}

HttpResponse ServeHandler::Handle(const HttpRequest& request) {
  try {
    if (!FromLoopback(request)) return Refusal(403, "this server answers only its own page on 127.0.0.1");
    const std::string_view target = request.target;
    if (target.empty() || target[0] != '/') return Refusal(400, "bad target");
    const size_t question = target.find('?');
    const std::string_view path = target.substr(0, question);
    const std::string_view query = question == std::string_view::npos ? "" : target.substr(question + 1);
    if (path.starts_with("/api/")) return Api(request, path, query);
    const PageAsset* asset = FindPageAsset(path == "/" ? "/index.html" : path);
    if (asset == nullptr) return Refusal(404, "no such file");
    if (request.method != "GET" && request.method != "HEAD") return Refusal(405, "the page is only read");
    HttpResponse r;
    r.contentType = std::string(asset->contentType);
    if (r.contentType.starts_with("text/")) r.contentType += "; charset=utf-8";
    r.body = std::string(asset->bytes);
    return r;
  } catch (const std::exception& e) {
    return Refusal(400, std::string("bad request: ") + e.what());
  }
}

HttpResponse ServeHandler::Api(const HttpRequest& request, std::string_view path, std::string_view query) {
  const bool post = request.method == "POST";
  if (!post && request.method != "GET") return Refusal(405, "GET or POST");
  const std::optional<std::string> queryToken = QueryValue(query, "token");
  if (!HasToken(request, queryToken.value_or(""), post)) return Refusal(403, "the token is missing or wrong");
  const struct {
    std::string_view path;
    bool post;
  } routes[] = {{"/api/state", false},   {"/api/display", false}, {"/api/coordinate", false}, {"/api/events", false},
                {"/api/settings", true}, {"/api/open", true},     {"/api/open-row", true},    {"/api/compile", true}};
  for (const auto& route : routes) {
    if (route.path != path) continue;
    if (route.post != post) return Refusal(405, route.post ? "POST only" : "GET only");
    if (path == "/api/state") return State();
    if (path == "/api/display") return Display(query);
    if (path == "/api/coordinate") return Coordinate(query);
    if (path == "/api/settings") return Settings(request.body);
    if (path == "/api/open") return Open(request.body);
    if (path == "/api/open-row") return OpenRow(request.body);
    if (path == "/api/compile") return Compile();
    HttpResponse events;
    events.contentType = "text/event-stream";
    events.body = ChangedEvent(line_.generation());
    events.eventStream = true;
    return events;
  }
  return Refusal(404, "no such request");
}

HttpResponse ServeHandler::State() {
  const ServedLine::Problems problems = line_.problems();
  Json findings = Json::array();
  int errors = 0;
  for (const Finding& f : problems.findings) {
    findings.push_back(FindingJson(f));
    errors += f.IsError();
  }
  const FormatSettings s = line_.settings();
  return Answer(
      200,
      Json{{"generation", line_.generation()},
           {"problems",
            {{"generation", problems.generation},
             {"errors", errors},
             {"warnings", static_cast<int>(problems.findings.size()) - errors},
             {"findings", findings}}},
           {"settings",
            {{"kugiri", s.kugiri},
             {"kankaku", s.kankaku},
             {"weekkind", s.weekkind},
             {"top", s.top},
             {"sec30", s.sec30}}},
           {"editor", line_.editorCommand()},
           {"keepsSettings", line_.keepsSettings()},
           {"view",
            {{"mode", firstView_.displayMode}, {"page", firstView_.eria}, {"grid", firstView_.grid != 0 ? 1 : 0}}}});
}

HttpResponse ServeHandler::Display(std::string_view query) {
  const auto mode = QueryInt(query, "mode", kFirstMode, kLastMode);
  const auto page = QueryInt(query, "page", 1, kPageCount);
  const auto grid = QueryInt(query, "grid", 0, 1);
  const auto width = QueryInt(query, "w", 1, kLargestSize);
  const auto height = QueryInt(query, "h", 1, kLargestSize);
  if (!mode || !page || !grid || !width || !height) return Refusal(400, "mode, page, grid, w and h are needed");
  const ServedLine::Drawing d = line_.Draw(*mode, *page, *grid, *width, *height);
  return Answer(200, Json{{"generation", d.generation}, {"status", d.status}, {"svg", d.svg}, {"rows", d.rowTexts}});
}

HttpResponse ServeHandler::Coordinate(std::string_view query) {
  const auto mode = QueryInt(query, "mode", kFirstMode, kLastMode);
  const auto x = QueryInt(query, "x", 0, kLargestSize);
  const auto y = QueryInt(query, "y", 0, kLargestSize);
  const auto width = QueryInt(query, "w", 1, kLargestSize);
  const auto height = QueryInt(query, "h", 1, kLargestSize);
  if (!mode || !x || !y || !width || !height) return Refusal(400, "mode, x, y, w and h are needed");
  ViewState state;
  state.displayMode = *mode;
  const std::optional<std::string> text = CoordinateMessage(state, *x, *y, *width, *height);
  return Answer(200, Json{{"text", text ? Json(SjisToUtf8(*text)) : Json()}});
}

HttpResponse ServeHandler::Settings(const std::string& body) {
  const Json json = Json::parse(body, nullptr, false);
  if (!json.is_object()) return Refusal(400, "a JSON object is needed");
  FormatSettings s;
  const auto kugiri = JsonInt(json, "kugiri", 0, 3), kankaku = JsonInt(json, "kankaku", 0, 100),
             weekkind = JsonInt(json, "weekkind", 0, 3), top = JsonInt(json, "top", 0, 1),
             sec30 = JsonInt(json, "sec30", 0, 1);
  const auto editor = json.find("editor");
  if (!kugiri || !kankaku || !weekkind || !top || !sec30 || editor == json.end() || !editor->is_string())
    return Refusal(400, "kugiri 0-3, kankaku 0-100, weekkind 0-3, top and sec30 0 or 1, editor a text");
  const std::string command = editor->get<std::string>();
  if (command.size() > 4096 || command.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
    return Refusal(400, "the editor command is one line");
  s.kugiri = *kugiri;
  s.kankaku = *kankaku;
  s.weekkind = *weekkind;
  s.top = *top;
  s.sec30 = *sec30;
  std::string err;
  if (!line_.ApplySettings(s, command, &err))
    return Answer(500, Json{{"error", "the profile was not written: " + err}});
  return State();
}

namespace {

// What opening a finding or a row came to.
HttpResponse Opened(ServedLine::OpenResult result, const std::string& where, const std::string& err, const char* what) {
  switch (result) {
    case ServedLine::OpenResult::kOpened: return Answer(200, Json{{"opened", true}, {"where", where}});
    case ServedLine::OpenResult::kNoEditor: return Answer(200, Json{{"opened", false}, {"where", where}});
    case ServedLine::OpenResult::kFailed: return Answer(200, Json{{"opened", false}, {"where", where}, {"error", err}});
    case ServedLine::OpenResult::kStaleList: return Refusal(409, std::string("the ") + what + " has changed since");
    case ServedLine::OpenResult::kNoFile: return Refusal(422, "this finding is about no file");
    case ServedLine::OpenResult::kNoSuchFinding: break;
  }
  return Refusal(404, std::string("no such item in the ") + what);
}

}  // namespace

HttpResponse ServeHandler::Open(const std::string& body) {
  const Json json = Json::parse(body, nullptr, false);
  const auto index = json.is_object() ? JsonInt(json, "index", 0, 1 << 30) : std::nullopt;
  const auto generation = json.is_object() ? json.find("generation") : json.end();
  if (!index || generation == json.end() || !generation->is_number_unsigned())
    return Refusal(400, "index and generation are needed");
  std::string where, err;
  const auto result = line_.OpenFinding(static_cast<size_t>(*index), generation->get<std::uint64_t>(), &where, &err);
  return Opened(result, where, err, "problems list");
}

// A drawn row, named by its place among the drawing's rows and the drawing's generation.
HttpResponse ServeHandler::OpenRow(const std::string& body) {
  const Json json = Json::parse(body, nullptr, false);
  const auto index = json.is_object() ? JsonInt(json, "index", 0, 1 << 30) : std::nullopt;
  const auto mode = json.is_object() ? JsonInt(json, "mode", kFirstMode, kLastMode) : std::nullopt;
  const auto page = json.is_object() ? JsonInt(json, "page", 1, kPageCount) : std::nullopt;
  const auto generation = json.is_object() ? json.find("generation") : json.end();
  if (!index || !mode || !page || generation == json.end() || !generation->is_number_unsigned())
    return Refusal(400, "index, mode, page and generation are needed");
  std::string where, err;
  const auto result =
      line_.OpenRow(static_cast<size_t>(*index), generation->get<std::uint64_t>(), *mode, *page, &where, &err);
  return Opened(result, where, err, "drawing");
}

HttpResponse ServeHandler::Compile() {
  std::vector<std::string> lines;
  const bool ok = line_.Compile(&lines);
  return Answer(200, Json{{"ok", ok}, {"lines", lines}});
}

}  // namespace orbline
