#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "view/view_state.h"

namespace orbline {

class ServedLine;

// A request as the HTTP library parsed it.
struct HttpRequest {
  std::string method;  // "GET"
  std::string target;  // "/api/state?token=…"
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // The first header of that name, in any case; "" when there is none.
  std::string Header(std::string_view name) const;
};

struct HttpResponse {
  int status = 200;
  std::string contentType;
  std::string body;
  bool eventStream = false;  // the answer goes on: server-sent events of each new generation
};

// What orblinec serve answers, as a function from a request to a response, so that it is tested
// and fuzzed without sockets.
//
// Only requests to the loopback name and port are answered (Host "127.0.0.1:PORT" or
// "localhost:PORT"): a page elsewhere that rebinds its own name to 127.0.0.1 is refused. The page
// and its pictures need nothing more; every request under /api/ needs the run's token (header
// X-Orbline-Token, or ?token= for reading), and those that change something or start a program
// are POSTs that take it from the header alone, which a page of another origin cannot send
// without asking first. No request names a path: a finding is named by its index and the
// generation of the list it is in.
//
//   GET  /                      the page (/page.js, /page.css, /toolbar/NAME.png beside it)
//   GET  /api/state             settings, editor command, the problems list, the first view
//   GET  /api/display?mode=M&page=P&grid=G&w=W&h=H   {generation, status, svg}
//   GET  /api/coordinate?mode=M&x=X&y=Y&w=W&h=H      {text}: the coordinate box, or null
//   GET  /api/events            server-sent events: "changed" with each new generation
//   POST /api/settings          {kugiri, kankaku, weekkind, top, sec30, editor}
//   POST /api/open              {index, generation}: 409 when the list has changed since
//   POST /api/compile           {ok, lines}
class ServeHandler {
 public:
  ServeHandler(ServedLine& line, std::string token, int port, ViewState firstView);

  HttpResponse Handle(const HttpRequest& request);

  // The event that tells the page of a generation.
  static std::string ChangedEvent(std::uint64_t generation);

 private:
  bool FromLoopback(const HttpRequest& request) const;
  bool HasToken(const HttpRequest& request, std::string_view queryToken, bool headerOnly) const;
  HttpResponse Api(const HttpRequest& request, std::string_view path, std::string_view query);
  HttpResponse State();
  HttpResponse Display(std::string_view query);
  HttpResponse Coordinate(std::string_view query);
  HttpResponse Settings(const std::string& body);
  HttpResponse Open(const std::string& body);
  HttpResponse OpenRow(const std::string& body);
  HttpResponse Compile();

  ServedLine& line_;
  std::string token_;
  int port_;
  ViewState firstView_;
};

}  // namespace orbline
