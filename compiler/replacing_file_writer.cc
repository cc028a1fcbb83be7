#include "compiler/replacing_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace orbline {
namespace {

class FdSink : public ByteSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  bool Write(const char* data, size_t size) override {
    while (size > 0) {
      ssize_t n = ::write(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

 private:
  int fd_;
};

bool CloseChecked(int fd) { return ::close(fd) == 0 || errno == EINTR; }

// The folder part of `path` ("." for a bare name) and the name part.
void SplitPath(const std::string& path, std::string* folder, std::string* name) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    *folder = ".";
    *name = path;
  } else {
    *folder = slash == 0 ? "/" : path.substr(0, slash);
    *name = path.substr(slash + 1);
  }
}

mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool WriteDevice(const std::string& path, const std::function<bool(ByteSink&)>& write) {
  int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return false;
  FdSink sink(fd);
  bool ok = write(sink);
  return CloseChecked(fd) && ok;
}

}  // namespace

bool WriteFileReplacing(const std::string& requested, const std::function<bool(ByteSink&)>& write) {
  if (requested.empty() || requested.back() == '/') return false;
  std::string path = requested;
  struct stat st;
  bool exists = ::lstat(path.c_str(), &st) == 0;
  if (exists && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) {
      path = resolved;
      exists = ::lstat(path.c_str(), &st) == 0;
    } else {
      exists = false;  // a dangling link is replaced by the new file
    }
  }
  if (exists && S_ISDIR(st.st_mode)) return false;
  if (exists && !S_ISREG(st.st_mode)) return WriteDevice(path, write);

  std::string folder, name;
  SplitPath(path, &folder, &name);
  std::string temp = folder + "/." + name + ".XXXXXX";
  std::vector<char> buffer(temp.begin(), temp.end());
  buffer.push_back('\0');
  int fd = ::mkstemp(buffer.data());
  if (fd < 0) return false;
  temp = buffer.data();

  FdSink sink(fd);
  bool ok = ::fchmod(fd, exists ? (st.st_mode & 07777) : NewFileMode()) == 0;
  ok = ok && write(sink);
  ok = CloseChecked(fd) && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace orbline
