// Boost 1.74's Asio uses std::exchange without including <utility>, which mingw's library needs.
#include <utility>

#include "cli/serve_server.h"

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "cli/serve_handler.h"

namespace orbline {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

constexpr auto kPatience = std::chrono::seconds(30);  // to send a request, or to read an answer
constexpr std::size_t kHeaderLimit = 16 * 1024;
constexpr std::size_t kBodyLimit = 64 * 1024;
constexpr std::size_t kEventsQueued = 32;  // a stream whose reader falls this far behind is closed
constexpr auto kPing = std::chrono::seconds(15);

class Session;

// What every connection shares: the handler and the open event streams.
struct Hub {
  ServeHandler* handler = nullptr;
  std::mutex mutex;
  std::vector<std::weak_ptr<Session>> streams;
};

HttpRequest FromBeast(const http::request<http::string_body>& request) {
  HttpRequest r;
  r.method = std::string(request.method_string());
  r.target = std::string(request.target());
  for (const auto& field : request) r.headers.emplace_back(field.name_string(), field.value());
  r.body = request.body();
  return r;
}

class Session : public std::enable_shared_from_this<Session> {
 public:
  Session(tcp::socket socket, Hub& hub) : stream_(std::move(socket)), hub_(hub) {}

  void Start() {
    asio::dispatch(stream_.get_executor(), [self = shared_from_this()] { self->Read(); });
  }

  // Queues an event (or a ping comment) for an event stream.
  void Send(std::string event) {
    asio::post(stream_.get_executor(), [self = shared_from_this(), event = std::move(event)]() mutable {
      if (self->events_.size() >= kEventsQueued) return self->Close();
      self->events_.push_back(std::move(event));
      if (self->events_.size() == 1 && self->streaming_) self->WriteEvent();
    });
  }

 private:
  void Read() {
    parser_.emplace();
    parser_->header_limit(kHeaderLimit);
    parser_->body_limit(kBodyLimit);
    stream_.expires_after(kPatience);
    http::async_read(stream_, buffer_, *parser_,
                     [self = shared_from_this()](beast::error_code ec, std::size_t) { self->OnRead(ec); });
  }

  void OnRead(beast::error_code ec) {
    if (ec == http::error::end_of_stream) return Close();
    if (ec && ec.category() == beast::http::make_error_code(http::error::bad_target).category()) {
      HttpResponse refusal;
      refusal.status = ec == http::error::body_limit ? 413 : ec == http::error::header_limit ? 431 : 400;
      refusal.contentType = "text/plain; charset=utf-8";
      refusal.body = "bad request: " + ec.message() + "\n";
      return Write(refusal, 11, false);
    }
    if (ec) return Close();
    const http::request<http::string_body> request = parser_->release();
    HttpResponse response = hub_.handler->Handle(FromBeast(request));
    if (response.eventStream) return StartEvents(response, request.version());
    if (request.method() == http::verb::head) response.body.clear();
    Write(response, request.version(), request.keep_alive());
  }

  static void SetCommonFields(http::response_header<>& header, const HttpResponse& response) {
    header.set(http::field::server, "orblinec");
    header.set(http::field::content_type, response.contentType);
    header.set(http::field::cache_control, "no-store");
    header.set("X-Content-Type-Options", "nosniff");
    header.set("X-Frame-Options", "DENY");
    header.set("Referrer-Policy", "no-referrer");
    header.set("Content-Security-Policy",
               "default-src 'self'; style-src 'self' 'unsafe-inline'; img-src 'self' data:; frame-ancestors 'none'");
  }

  void Write(const HttpResponse& response, unsigned version, bool keepAlive) {
    auto message =
        std::make_shared<http::response<http::string_body>>(static_cast<http::status>(response.status), version);
    SetCommonFields(message->base(), response);
    message->body() = response.body;
    message->keep_alive(keepAlive);
    message->prepare_payload();
    stream_.expires_after(kPatience);  // a client that never reads is dropped then
    http::async_write(stream_, *message, [self = shared_from_this(), message](beast::error_code ec, std::size_t) {
      if (ec || !message->keep_alive()) return self->Close();
      self->Read();
    });
  }

  // The header, then the events as they come, until the client goes; the answer's end is the
  // connection's.
  void StartEvents(const HttpResponse& response, unsigned version) {
    header_ = std::make_shared<http::response<http::empty_body>>(http::status::ok, version);
    SetCommonFields(header_->base(), response);
    header_->keep_alive(false);
    serializer_ = std::make_shared<http::response_serializer<http::empty_body>>(*header_);
    stream_.expires_after(kPatience);
    http::async_write_header(stream_, *serializer_, [self = shared_from_this()](beast::error_code ec, std::size_t) {
      if (ec) return self->Close();
      {
        std::lock_guard lock(self->hub_.mutex);
        self->hub_.streams.push_back(self);
      }
      self->streaming_ = true;
      self->WriteEvent();
      self->ReadUntilGone();
    });
    events_.push_back(response.body);
  }

  // What the client sends on an event stream is dropped; the read that ends shows it has gone,
  // and keeps the session alive until then.
  void ReadUntilGone() {
    stream_.socket().async_read_some(asio::buffer(drop_),
                                     [self = shared_from_this()](beast::error_code ec, std::size_t) {
                                       if (ec) return self->Close();
                                       self->ReadUntilGone();
                                     });
  }

  void WriteEvent() {
    if (events_.empty()) return;
    stream_.expires_after(kPatience);
    asio::async_write(stream_, asio::buffer(events_.front()),
                      [self = shared_from_this()](beast::error_code ec, std::size_t) {
                        if (ec) return self->Close();
                        self->events_.pop_front();
                        if (self->events_.empty()) return self->stream_.expires_never();
                        self->WriteEvent();
                      });
  }

  void Close() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
    stream_.close();
  }

  beast::tcp_stream stream_;
  beast::flat_buffer buffer_;
  Hub& hub_;
  std::optional<http::request_parser<http::string_body>> parser_;
  std::shared_ptr<http::response<http::empty_body>> header_;
  std::shared_ptr<http::response_serializer<http::empty_body>> serializer_;
  std::deque<std::string> events_;
  bool streaming_ = false;  // the header is written
  char drop_[512];
};

class BeastServer : public ServeServer {
 public:
  BeastServer() : acceptor_(context_), signals_(context_), ping_(context_) {}

  bool Open(int port, std::string* err) {
    try {
      const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port));
      acceptor_.open(endpoint.protocol());
      acceptor_.bind(endpoint);
      acceptor_.listen(asio::socket_base::max_listen_connections);
      port_ = acceptor_.local_endpoint().port();
      return true;
    } catch (const boost::system::system_error& e) {
      *err = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + e.code().message();
      return false;
    }
  }

  int port() const override { return port_; }

  void Run(ServeHandler& handler, int threads) override {
    hub_.handler = &handler;
    boost::system::error_code ignored;
    signals_.add(SIGINT, ignored);
    signals_.add(SIGTERM, ignored);
    signals_.async_wait([this](beast::error_code ec, int) {
      if (!ec) Stop();
    });
    Accept();
    Ping();
    std::vector<std::thread> more;
    for (int i = 1; i < threads; ++i) more.emplace_back([this] { RunContext(); });
    RunContext();
    for (std::thread& t : more) t.join();
  }

  void Stop() override {
    asio::post(context_, [this] {
      beast::error_code ignored;
      acceptor_.close(ignored);
      context_.stop();
    });
  }

  void Notify(std::uint64_t generation) override { Broadcast(ServeHandler::ChangedEvent(generation)); }

 private:
  void RunContext() {
    for (;;) {
      try {
        context_.run();
        return;
      } catch (const std::exception&) {
        // A handler's failure ends its own connection only; the others go on.
      }
    }
  }

  void Accept() {
    acceptor_.async_accept(asio::make_strand(context_), [this](beast::error_code ec, tcp::socket socket) {
      if (!acceptor_.is_open()) return;
      if (!ec) std::make_shared<Session>(std::move(socket), hub_)->Start();
      Accept();
    });
  }

  // A comment on every stream now and then: a reader that has gone shows as a failed write.
  void Ping() {
    ping_.expires_after(kPing);
    ping_.async_wait([this](beast::error_code ec) {
      if (ec) return;
      Broadcast(": ping\n\n");
      Ping();
    });
  }

  void Broadcast(const std::string& event) {
    std::lock_guard lock(hub_.mutex);
    std::erase_if(hub_.streams, [&](const std::weak_ptr<Session>& weak) {
      const std::shared_ptr<Session> session = weak.lock();
      if (session) session->Send(event);
      return !session;
    });
  }

  asio::io_context context_;
  tcp::acceptor acceptor_;
  asio::signal_set signals_;
  asio::steady_timer ping_;
  Hub hub_;
  int port_ = 0;
};

}  // namespace

bool ParseHttpRequest(std::string_view bytes, HttpRequest* request, std::string* err) {
  http::request_parser<http::string_body> parser;
  parser.header_limit(kHeaderLimit);
  parser.body_limit(kBodyLimit);
  parser.eager(true);
  beast::error_code ec;
  parser.put(asio::buffer(bytes.data(), bytes.size()), ec);
  if (!ec && !parser.is_done()) parser.put_eof(ec);
  if (ec || !parser.is_done()) {
    *err = ec ? ec.message() : "the request is not whole";
    return false;
  }
  *request = FromBeast(parser.get());
  return true;
}

std::unique_ptr<ServeServer> ServeServer::Listen(int port, std::string* err) {
  auto server = std::make_unique<BeastServer>();
  if (!server->Open(port, err)) return nullptr;
  return server;
}

}  // namespace orbline
