// Compiling over real files: where the file goes, and every fault around the files, each with
// exactly its message, never touching the sources or a compiled file already there.
#include "compiler/compile_to_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include <filesystem>
#include <fstream>
#include <map>

#include "compiler/route_check.h"
#include "compiler/zkf_compare.h"
#include "compiler/zkf_reader.h"
#include "document_fixture.h"
#include "platform/disk_line_reader.h"
#include "test_files.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;
using Codes = std::vector<int>;

// Everything below a folder, as path → bytes; links are not followed (one may loop).
std::map<std::string, std::string> Snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    const fs::file_status st = e.symlink_status();
    files[e.path().string()] = fs::is_symlink(st) ? "<link>" : fs::is_directory(st) ? "<dir>" : FileBytes(e.path());
  }
  return files;
}

class CompileToFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = FreshTestFolder("compile");
    fs::copy(ORBLINE_SOURCE_DIR "/examples/sample", root_ / "line");
    fs::create_directories(root_ / "out");
    std::ofstream(Target()) << "the last good file";
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path Target() const { return root_ / "out" / "line.zkf"; }

  // Reads, checks and compiles the route into `target` as the compile command does; returns the
  // codes of the errors, and whether the target was reached at all as `asked_`. Checks that the
  // sources are untouched, and that a failure leaves the compiled file as it was.
  Codes Compile(const fs::path& target = {}, int weekkind = 0) {
    DiskLineReader files(root_ / "line");
    FindingList findings;
    doc_->settings.weekkind = weekkind;
    const auto before = Snapshot(root_ / "line");
    asked_ = false;
    written_ = ReadAndCheck(*doc_, files, findings, FaultMode::kFirstFault) &&
               (asked_ = true, CompileToFile(*doc_, target.empty() ? Target() : target, files, findings));
    EXPECT_EQ(Snapshot(root_ / "line"), before) << "the sources are never modified";
    Codes codes;
    for (const Finding& f : findings.findings)
      if (f.IsError()) codes.push_back(f.code);
    if (!written_) {
      EXPECT_TRUE(FileBytes(Target()) == "the last good file") << "the compiled file is untouched";
      EXPECT_EQ(Snapshot(root_ / "out").size(), 1u) << "no partial file is left";
    }
    return codes;
  }

  // Replaces a source file by something else for one compile.
  Codes CompileWithout(const char* name, const std::function<void(const fs::path&)>& replace, int weekkind = 0) {
    const fs::path p = root_ / "line" / name;
    const std::string bytes = FileBytes(p);
    fs::remove(p);
    replace(p);
    Codes codes = Compile({}, weekkind);
    fs::remove(p);
    std::ofstream(p, std::ios::binary) << bytes;
    return codes;
  }

  fs::path root_;
  std::unique_ptr<Document> doc_ = std::make_unique<Document>();
  bool written_ = false;
  bool asked_ = false;
};

TEST_F(CompileToFileTest, TheSampleCompilesToWhatTheDocumentHolds) {
  fs::create_directories(root_ / "out" / "elsewhere");
  EXPECT_EQ(Compile(root_ / "out" / "elsewhere" / "first.zkf"), Codes{});
  ZkfFile f;
  std::string err;
  ASSERT_TRUE(ReadZkf(FileBytes(root_ / "out" / "elsewhere" / "first.zkf"), &f, &err)) << err;
  EXPECT_TRUE(MatchesDocument(f, *doc_, &err)) << err;
  EXPECT_EQ(Snapshot(root_ / "out" / "elsewhere").size(), 1u) << "no temporary file is left";
  EXPECT_EQ(doc_->targetFileName, "first.zkf");
  EXPECT_EQ(doc_->targetFolder, root_ / "out" / "elsewhere");
  // The sources are still read from their folder.
  EXPECT_EQ(Compile(), Codes{});
  EXPECT_EQ(FileBytes(Target()), FileBytes(root_ / "out" / "elsewhere" / "first.zkf"));
}

TEST_F(CompileToFileTest, SourcesThatCannotBeReadStopBeforeThePrompt) {
  const std::pair<const char*, int> folders[] = {{"info.txt", 22}, {"kind.txt", 32},  {"eki.txt", 42},
                                                 {"map.txt", 52},  {"data1.txt", 62}, {"data2.txt", 62}};
  for (const auto& [name, code] : folders)
    EXPECT_EQ(CompileWithout(name, [](const fs::path& p) { fs::create_directory(p); }), Codes{code}) << name;
#ifndef _WIN32  // no symbolic links with this runtime on Windows
  // A link that loops cannot be opened: an unknown cause. A dangling link: not found.
  EXPECT_EQ(CompileWithout("map.txt", [](const fs::path& p) { fs::create_symlink("map.txt", p); }), Codes{52});
  EXPECT_EQ(CompileWithout("map.txt", [](const fs::path& p) { fs::create_symlink("nowhere", p); }), Codes{51});
#endif
  // data1.txt is read, data2.txt is missing, data3.txt is never tried; scheme 1 reads data1.txt alone.
  const auto removed = [](const fs::path&) {};
  EXPECT_EQ(CompileWithout("data2.txt", removed, 2), Codes{61});
  EXPECT_EQ(CompileWithout("data2.txt", removed, 1), Codes{});
  EXPECT_TRUE(written_);
  std::ofstream(Target(), std::ios::trunc) << "the last good file";
  // A fatal cross-check after the last map item.
  std::ofstream(root_ / "line" / "map.txt", std::ios::app) << "21\t0\t5\r\n";
  EXPECT_EQ(Compile(), Codes{14});
  EXPECT_FALSE(asked_);
}

TEST_F(CompileToFileTest, OutputThatCannotBeWritten) {
  if (fs::exists("/dev/full")) {
    EXPECT_EQ(Compile("/dev/full"), (Codes{71}));
    EXPECT_TRUE(fs::is_character_file("/dev/full")) << "a device is written, never replaced";
  }
  EXPECT_EQ(Compile(root_ / "out" / "missing" / "x.zkf"), (Codes{71}));
  EXPECT_EQ(doc_->targetFileName, "x.zkf") << "the name is kept although writing failed";
  fs::create_directories(root_ / "folder.zkf" / "inside");
  EXPECT_EQ(Compile(root_ / "folder.zkf"), (Codes{71}));
  EXPECT_TRUE(fs::is_directory(root_ / "folder.zkf" / "inside"));
}

TEST_F(CompileToFileTest, AWriteThatFailsPartWayKeepsTheLastGoodFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no limit on a file's size to make a write fail part way, nor symbolic links "
                  "with this runtime";
#else
  fs::permissions(Target(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // Files may grow to 1000 bytes only: the write fails part way, as on a full disk.
  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 1000;
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const Codes codes = Compile();
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(codes, (Codes{71}));
  // A good write replaces it and keeps its permissions; through a link, the file it names.
  EXPECT_EQ(Compile(), Codes{});
  EXPECT_GT(fs::file_size(Target()), 1000u);
  EXPECT_EQ(fs::status(Target()).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(Target(), root_ / "link.zkf");
  fs::resize_file(Target(), 3);
  EXPECT_EQ(Compile(root_ / "link.zkf"), Codes{});
  EXPECT_TRUE(fs::is_symlink(root_ / "link.zkf"));
  EXPECT_GT(fs::file_size(Target()), 1000u);
#endif
}

TEST_F(CompileToFileTest, NeverOverASourceFile) {
  fs::create_directories(root_ / "other");
  std::vector<fs::path> targets = {root_ / "line" / "eki.txt", root_ / "other" / ".." / "line" / "." / "map.txt"};
#ifndef _WIN32  // no symbolic links with this runtime on Windows
  fs::create_symlink(root_ / "line" / "data2.txt", root_ / "other" / "link.zkf");
  targets.push_back(root_ / "other" / "link.zkf");
#endif
  // By its name, by another path to it, through a link: error 72, nothing written.
  for (const fs::path& target : targets) {
    EXPECT_EQ(Compile(target), (Codes{72})) << target;
    EXPECT_EQ(doc_->targetFileName, "") << "a refused name is not offered again";
  }
  // A file of the same name in another folder is no source file.
  EXPECT_EQ(Compile(root_ / "other" / "eki.txt"), Codes{});
}

}  // namespace
}  // namespace orbline
