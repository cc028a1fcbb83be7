// orblinec serve's answers without sockets: who is refused, naming findings by the list's
// generation, the settings kept in the profile, compiling, the file follower it reloads by, and the
// bytes of a request read as the server reads them.
// What the page shows of each display is tested in the browser (tests/browser/serve.test.mjs).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>

#include "cli/serve_handler.h"
#include "cli/serve_server.h"
#include "cli/served_line.h"
#include "platform/file_poller.h"
#include "platform/utf8_path.h"
#include "test_files.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

constexpr char kToken[] = "0123456789abcdef0123456789abcdef";
constexpr int kPort = 8123;

class ServeTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTestFolder("serve");
    fs::copy(PathFromUtf8(ORBLINE_SOURCE_DIR "/examples/sample"), folder_ / "line");
    Start();
  }
  void TearDown() override {
    handler_.reset();
    line_.reset();
    fs::remove_all(folder_);
  }
  void Start(fs::path output = {}, FormatSettings settings = {}) {
    handler_.reset();
    ServedLine::Options options;
    options.settings = settings;
    options.folder = folder_ / "line";
    options.output = output.empty() ? folder_ / "line.zkf" : output;
    options.profile = std::make_unique<IniProfileStore>(folder_ / "Orbline.ini");
    options.start = [this](const std::vector<std::string>& words, std::string*) {
      started_.push_back(words);
      return true;
    };
    line_ = std::make_unique<ServedLine>(std::move(options));
    handler_ = std::make_unique<ServeHandler>(*line_, kToken, kPort, ViewState{});
  }
  HttpResponse Get(const std::string& target, const std::string& host = "127.0.0.1:8123") {
    return handler_->Handle({"GET", target, {{"Host", host}}, ""});
  }
  HttpResponse Post(const std::string& target, const Json& body, const std::string& token = kToken) {
    return handler_->Handle({"POST", target, {{"host", "localhost:8123"}, {"x-orbline-token", token}}, body.dump()});
  }
  Json State() { return Json::parse(Get(std::string("/api/state?token=") + kToken).body); }

  fs::path folder_;
  std::unique_ptr<ServedLine> line_;
  std::unique_ptr<ServeHandler> handler_;
  std::vector<std::vector<std::string>> started_;
};

TEST_F(ServeTest, RefusesWhatIsNotItsOwnPage) {
  const std::string t = std::string("token=") + kToken;
  const struct {
    HttpRequest request;
    int status;
  } cases[] = {
      {{"GET", "/", {{"Host", "127.0.0.1:8123"}}, ""}, 200},
      {{"GET", "/api/state?" + t, {{"Host", "LOCALHOST:8123"}}, ""}, 200},
      {{"GET", "/", {{"Host", "evil.example:8123"}}, ""}, 403},  // DNS rebinding
      {{"GET", "/", {{"Host", "127.0.0.1:8124"}}, ""}, 403},
      {{"GET", "/", {}, ""}, 403},
      {{"GET", "/api/state?" + t, {{"Host", "127.0.0.1:8123"}, {"Origin", "http://evil.example"}}, ""}, 403},
      {{"GET", "/api/state", {{"Host", "127.0.0.1:8123"}}, ""}, 403},
      {{"GET", "/api/state?token=0123", {{"Host", "127.0.0.1:8123"}}, ""}, 403},
      {{"POST", "/api/compile?" + t, {{"Host", "127.0.0.1:8123"}}, "{}"}, 403},  // a form cannot set the header
      {{"GET", "/api/compile?" + t, {{"Host", "127.0.0.1:8123"}}, ""}, 405},
      {{"PUT", "/api/state?" + t, {{"Host", "127.0.0.1:8123"}}, ""}, 405},
      {{"POST", "/page.js", {{"Host", "127.0.0.1:8123"}}, ""}, 405},
      {{"GET", "/api/nothing?" + t, {{"Host", "127.0.0.1:8123"}}, ""}, 404},
      {{"GET", "/../eki.txt", {{"Host", "127.0.0.1:8123"}}, ""}, 404},
      {{"GET", "eki.txt", {{"Host", "127.0.0.1:8123"}}, ""}, 400},
      {{"GET", "/api/display?mode=8&page=1&grid=0&w=10&h=10&" + t, {{"Host", "127.0.0.1:8123"}}, ""}, 400},
      {{"GET", "/api/display?mode=4&page=1&grid=0&w=0&h=10&" + t, {{"Host", "127.0.0.1:8123"}}, ""}, 400},
      {{"GET", "/api/display?mode=4&page=%31&grid=0&w=10&h=10&" + t, {{"Host", "127.0.0.1:8123"}}, ""}, 200},
      {{"GET", "/api/coordinate?mode=4&x=5&y=5&w=10&h=10&" + t, {{"Host", "127.0.0.1:8123"}}, ""}, 200},
      {{"GET", "/api/coordinate?mode=4&x=5&y=5&w=10&" + t, {{"Host", "127.0.0.1:8123"}}, ""}, 400},
  };
  for (const auto& c : cases)
    EXPECT_EQ(handler_->Handle(c.request).status, c.status) << c.request.method << " " << c.request.target;
}

TEST_F(ServeTest, NamesAFindingByTheListItIsIn) {
  std::ofstream(folder_ / "line" / "eki.txt", std::ios::binary) << "x\r\n";
  line_->SourcesChanged();
  const Json state = State();
  const std::uint64_t list = state["problems"]["generation"];
  ASSERT_EQ(state["problems"]["findings"].size(), 1u);
  EXPECT_EQ(state["problems"]["findings"][0]["file"], "eki.txt");

  // Without an editor: where it is, for the author to go there.
  Json open = Json::parse(Post("/api/open", {{"index", 0}, {"generation", list}}).body);
  EXPECT_EQ(open["where"], "eki.txt:1");
  EXPECT_FALSE(open["opened"]);
  EXPECT_EQ(Post("/api/open", {{"index", 1}, {"generation", list}}).status, 404);
  EXPECT_EQ(Post("/api/open", {{"index", -1}, {"generation", list}}).status, 400);
  EXPECT_EQ(Post("/api/open", {{"index", 0}}).status, 400);

  // With one, the editor gets the file's whole path, each word as cut.
  Json settings = state["settings"];
  settings["editor"] = "gvim --remote-silent +{line} \"{file}\"";
  ASSERT_EQ(Post("/api/settings", settings).status, 200);
  const std::uint64_t after = State()["problems"]["generation"];
  EXPECT_EQ(Post("/api/open", {{"index", 0}, {"generation", list}}).status, 409) << "settings make a new list";
  open = Json::parse(Post("/api/open", {{"index", 0}, {"generation", after}}).body);
  EXPECT_TRUE(open["opened"]);
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0], (std::vector<std::string>{"gvim", "--remote-silent", "+1",
                                                   Utf8((folder_ / "line" / "eki.txt").lexically_normal())}));
  line_->SourcesChanged();
  EXPECT_EQ(Post("/api/open", {{"index", 0}, {"generation", after}}).status, 409) << "a save makes a new list";
  // A finding of no file: a day-type scheme out of range.
  FormatSettings odd;
  odd.weekkind = 4;
  Start({}, odd);
  EXPECT_EQ(Post("/api/open", {{"index", 0}, {"generation", State()["problems"]["generation"]}}).status, 422);
}

TEST_F(ServeTest, NamesADrawnRowByItsPlaceInTheDrawing) {
  const Json drawn =
      Json::parse(Get(std::string("/api/display?mode=3&page=1&grid=0&w=800&h=600&token=") + kToken).body);
  const std::uint64_t generation = drawn["generation"];
  ASSERT_EQ(drawn["rows"].size(), 15u) << "the first page of stations";
  EXPECT_NE(drawn["svg"].get<std::string>().find("fill=\"#ffffff\"/>"), std::string::npos) << "on a white page";
  EXPECT_EQ(drawn["rows"][2], "eki.txt:3");
  const Json open =
      Json::parse(Post("/api/open-row", {{"index", 2}, {"generation", generation}, {"mode", 3}, {"page", 1}}).body);
  EXPECT_EQ(open["where"], "eki.txt:3");
  EXPECT_EQ(Post("/api/open-row", {{"index", 15}, {"generation", generation}, {"mode", 3}, {"page", 1}}).status, 404);
  EXPECT_EQ(Post("/api/open-row", {{"index", 2}, {"generation", generation}, {"mode", 8}, {"page", 1}}).status, 400);
  line_->SourcesChanged();
  EXPECT_EQ(Post("/api/open-row", {{"index", 2}, {"generation", generation}, {"mode", 3}, {"page", 1}}).status, 409)
      << "a save makes a new drawing";
}

TEST_F(ServeTest, SettingsApplyAtOnceAndStayInTheProfile) {
  const Json bad[] = {{{"kugiri", 4}, {"kankaku", 5}, {"weekkind", 0}, {"top", 0}, {"sec30", 1}, {"editor", ""}},
                      {{"kugiri", 1}, {"kankaku", 101}, {"weekkind", 0}, {"top", 0}, {"sec30", 1}, {"editor", ""}},
                      {{"kugiri", 1}, {"kankaku", 5}, {"weekkind", 0}, {"top", 0}, {"sec30", 1}, {"editor", "a\nb"}},
                      {{"kugiri", "1"}, {"kankaku", 5}, {"weekkind", 0}, {"top", 0}, {"sec30", 1}, {"editor", ""}},
                      {{"kugiri", 1}, {"kankaku", 5}, {"weekkind", 0}, {"sec30", 1}, {"editor", ""}},
                      Json::array()};
  for (const Json& b : bad) EXPECT_EQ(Post("/api/settings", b).status, 400) << b.dump();
  EXPECT_EQ(handler_->Handle({"POST", "/api/settings", {{"Host", "127.0.0.1:8123"}, {"X-Orbline-Token", kToken}}, "{"})
                .status,
            400);
  const std::uint64_t before = State()["generation"];
  const Json comma = {{"kugiri", 1}, {"kankaku", 7}, {"weekkind", 2},
                      {"top", 1},    {"sec30", 0},   {"editor", "秀丸 /j{line}"}};
  ASSERT_EQ(Post("/api/settings", comma).status, 200);
  const Json state = State();
  EXPECT_GT(state["generation"].get<std::uint64_t>(), before);
  EXPECT_GT(state["problems"]["errors"].get<int>(), 0) << "a tab-separated line read with commas";
  IniProfileStore kept(folder_ / "Orbline.ini");
  EXPECT_EQ((std::vector<int>{kept.GetInt("data", "kugiri", 0), kept.GetInt("data", "kankaku", 0),
                              kept.GetInt("data", "weekkind", 0), kept.GetInt("data", "top", 0),
                              kept.GetInt("data", "30sec", 1)}),
            (std::vector<int>{1, 7, 2, 1, 0}));
  EXPECT_EQ(kept.GetText("editor", "command", ""), "秀丸 /j{line}");
}

TEST_F(ServeTest, CompilesAsCompileDoesAndNeverOverASourceFile) {
  Json result = Json::parse(Post("/api/compile", Json::object()).body);
  EXPECT_TRUE(result["ok"]);
  EXPECT_EQ(FileBytes(folder_ / "line.zkf").size(), 27035u);
  const std::string eki = FileBytes(folder_ / "line" / "eki.txt");
  Start(folder_ / "line" / "eki.txt");
  result = Json::parse(Post("/api/compile", Json::object()).body);
  EXPECT_FALSE(result["ok"]);
  EXPECT_EQ(result["lines"].back(), "コンパイル: コンパイルに失敗しました。");
  EXPECT_EQ(FileBytes(folder_ / "line" / "eki.txt"), eki);
}

// The bytes of a request as the server reads them off a connection, within its limits.
TEST(HttpRequestTest, ReadsAWholeRequestWithinTheLimits) {
  HttpRequest r;
  std::string err;
  ASSERT_TRUE(
      ParseHttpRequest("POST /api/open?x=1 HTTP/1.1\r\nHost: 127.0.0.1:8123\r\nContent-Length: 2\r\n\r\n{}", &r, &err))
      << err;
  EXPECT_EQ(r.method + " " + r.target + " " + r.Header("HOST") + " " + r.body, "POST /api/open?x=1 127.0.0.1:8123 {}");
  EXPECT_FALSE(ParseHttpRequest("GET / HTTP/1.1\r\nHost: a\r\n", &r, &err)) << "no blank line after the headers";
  const auto post = [](size_t size) {
    return "POST /api/settings HTTP/1.1\r\nContent-Length: " + std::to_string(size) + "\r\n\r\n" +
           std::string(size, 'x');
  };
  EXPECT_TRUE(ParseHttpRequest(post(64 * 1024), &r, &err)) << err;
  EXPECT_FALSE(ParseHttpRequest(post(64 * 1024 + 1), &r, &err)) << "a body over 64 KiB";
  // Header names are found in any case, whatever their letters.
  r.headers = {{"ABCDEFGHIJKLMNOPQRSTUVWXYZ-0", "upper"}, {"abcdefghijklmnopqrstuvwxyz-1", "lower"}};
  EXPECT_EQ(r.Header("abcdefghijklmnopqrstuvwxyz-0") + r.Header("ABCDEFGHIJKLMNOPQRSTUVWXYZ-1"), "upperlower");
}

// Editors save in place, by renaming a new file over the old one, or by deleting and creating.
TEST_F(ServeTest, FollowerSeesEveryWayOfSaving) {
  const fs::path line = folder_ / "line";
  FilePoller poller(line, {"eki.txt", "map.txt", "kind.txt", "none.txt"});
  EXPECT_TRUE(poller.Poll().empty());
  std::ofstream(line / "eki.txt", std::ios::app | std::ios::binary) << "\r\n";
  EXPECT_EQ(poller.Poll(), std::vector<std::string>{"eki.txt"});
  const std::string map = FileBytes(line / "map.txt");
  std::ofstream(line / "map.new", std::ios::binary) << map << "\r\n";
  fs::rename(line / "map.new", line / "map.txt");
  fs::remove(line / "kind.txt");
  EXPECT_EQ(poller.Poll(), (std::vector<std::string>{"map.txt", "kind.txt"}));
  std::ofstream(line / "kind.txt", std::ios::binary) << "x\r\n";
  std::ofstream(line / "none.txt") << "";
  EXPECT_EQ(poller.Poll(), (std::vector<std::string>{"kind.txt", "none.txt"}));
  EXPECT_TRUE(poller.Poll().empty());
}

}  // namespace
}  // namespace orbline
