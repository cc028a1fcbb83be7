#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orbline {

class ServeHandler;
struct HttpRequest;

// Parses one request from `bytes` as the server does (the same limits); false with `*err` when
// they hold no whole, well-formed request.
bool ParseHttpRequest(std::string_view bytes, HttpRequest* request, std::string* err);

// The HTTP side of orblinec serve, on Boost.Beast: listens on 127.0.0.1 only, reads each request
// (headers up to 16 KiB, a body up to 64 KiB), answers it with the handler, and keeps the
// server-sent event streams, to which Notify sends each new generation. A client that sends
// nothing, or reads nothing, for 30 seconds is dropped; one that disconnects ends only its own
// connection. Malformed requests get 400 (413, 431 for those too large) and the connection closes.
class ServeServer {
 public:
  // Listens on `port` of 127.0.0.1 (0: a free one); null with `*err` when it cannot.
  static std::unique_ptr<ServeServer> Listen(int port, std::string* err);
  virtual ~ServeServer() = default;

  virtual int port() const = 0;
  // Answers with `handler` on `threads` threads until Ctrl+C (SIGINT, SIGTERM)
  // or Stop; returns once every thread has ended.
  virtual void Run(ServeHandler& handler, int threads) = 0;
  // From any thread.
  virtual void Stop() = 0;
  virtual void Notify(std::uint64_t generation) = 0;
};

}  // namespace orbline
