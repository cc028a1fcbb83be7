#include "cli/serve_command.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "cli/command_line.h"
#include "cli/run_settings.h"
#include "cli/serve_handler.h"
#include "cli/serve_server.h"
#include "cli/served_line.h"
#include "document/source_file_names.h"
#include "platform/console.h"
#include "platform/file_poller.h"
#include "platform/profile_location.h"
#include "platform/program_start.h"
#include "platform/random_bytes.h"
#include "platform/utf8_path.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

constexpr auto kPollEvery = std::chrono::milliseconds(40);
constexpr int kServerThreads = 3;

// Follows the source files on a thread of its own: kSaveSettleMs after the last change, the line
// is checked again and the pages are told.
class SourceFollower {
 public:
  SourceFollower(ServedLine& line, ServeServer& server) : line_(line), server_(server) {
    thread_ = std::thread([this] { Follow(); });
  }
  ~SourceFollower() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

 private:
  void Follow() {
    const auto& names = SourceFileNames();
    FilePoller poller(line_.folder(), std::vector<std::string>(names.begin(), names.end()));
    bool pending = false;  // a change not yet taken
    auto lastChange = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, kPollEvery, [this] { return stop_; })) {
      const auto now = std::chrono::steady_clock::now();
      if (!poller.Poll().empty()) {
        pending = true;
        lastChange = now;
      }
      if (!pending || now - lastChange < std::chrono::milliseconds(kSaveSettleMs)) continue;
      pending = false;
      lock.unlock();
      line_.SourcesChanged();
      server_.Notify(line_.generation());
      lock.lock();
    }
  }

  ServedLine& line_;
  ServeServer& server_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

bool MakeToken(std::string* token, std::string* err) {
  unsigned char bytes[16];
  if (!RandomBytes(bytes, sizeof bytes, err)) return false;
  for (const unsigned char b : bytes) {
    *token += "0123456789abcdef"[b >> 4];
    *token += "0123456789abcdef"[b & 15];
  }
  return true;
}

}  // namespace

int RunServe(const CommandLine& cl) {
  fs::path given;
  std::string err;
  if (!SourceFolder(cl, &given, &err)) {
    Print(stderr, "orblinec: %s\n", err.c_str());
    return 1;
  }
  std::error_code ec;
  fs::path folder = fs::absolute(given.empty() ? fs::path(".") : given, ec).lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();  // "/x/." gave "/x/"
  ServedLine::Options options;
  options.folder = folder;
  options.output = fs::absolute(cl.output.empty() ? PathFromUtf8(DefaultOutputName(folder)) : cl.output, ec);
  options.settings = RunSettings(cl);
  options.start = StartProgram;
  ViewState firstView;
  if (!cl.noProfile) {
    options.profile = std::make_unique<IniProfileStore>(cl.profilePath.empty() ? ProfileLocation() : cl.profilePath);
    firstView = ViewState::Load(*options.profile);
  }
  std::string token;
  if (!MakeToken(&token, &err)) {
    Print(stderr, "orblinec: %s\n", err.c_str());
    return 1;
  }
  std::unique_ptr<ServeServer> server = ServeServer::Listen(cl.port, &err);
  if (!server) {
    Print(stderr, "orblinec: %s\n", err.c_str());
    return 1;
  }
  ServedLine line(std::move(options));
  ServeHandler handler(line, token, server->port(), firstView);
  const std::string url = "http://127.0.0.1:" + std::to_string(server->port()) + "/?token=" + token;
  Print(stdout, "%s\n", url.c_str());
  std::fflush(stdout);
  Print(stderr, "orblinec serve: %s, compiling to %s; Ctrl+C stops\n", Utf8(folder).c_str(),
        Utf8(line.output()).c_str());
  if (!cl.noOpen && !OpenInBrowser(url, &err)) Print(stderr, "orblinec: no browser was opened: %s\n", err.c_str());
  {
    SourceFollower follower(line, *server);
    server->Run(handler, kServerThreads);
  }
  Print(stderr, "orblinec serve: stopped\n");
  return 0;
}

}  // namespace orbline
