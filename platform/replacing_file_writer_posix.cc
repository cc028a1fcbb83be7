#include "platform/replacing_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "platform/write_failure.h"

namespace orbline {
namespace {

class FdSink : public ByteSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  bool Write(const char* data, size_t size) override {
    while (size > 0) {
      ssize_t n = ::write(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = n < 0 ? errno : ENOSPC;
        return false;
      }
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }
  int error() const { return error_; }

 private:
  int fd_;
  int error_ = 0;
};

// Fails with the reason for the system's `error`.
bool Fail(int error, std::string* reason) {
  switch (error) {
    case ENOENT: *reason = WriteFailureText(WriteFailure::kNoSuchFolder); break;
    case ENOTDIR: *reason = WriteFailureText(WriteFailure::kNotAFolder); break;
    case EISDIR: *reason = WriteFailureText(WriteFailure::kIsAFolder); break;
    case EACCES:
    case EPERM: *reason = WriteFailureText(WriteFailure::kNoPermission); break;
    case ETXTBSY:
    case EBUSY: *reason = WriteFailureText(WriteFailure::kInUse); break;
    case ENOSPC:
    case EDQUOT: *reason = WriteFailureText(WriteFailure::kDiskFull); break;
    case EFBIG: *reason = WriteFailureText(WriteFailure::kTooLarge); break;
    case EROFS: *reason = WriteFailureText(WriteFailure::kReadOnlyDisk); break;
    case ENAMETOOLONG:
    case EILSEQ: *reason = WriteFailureText(WriteFailure::kBadName); break;
    default: *reason = WriteFailureText(WriteFailure::kOther, error);
  }
  return false;
}

mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool WriteDevice(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& write, std::string* reason) {
  int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return Fail(errno, reason);
  FdSink sink(fd);
  const bool ok = write(sink);
  const int writeError = sink.error();
  if (::close(fd) != 0 && errno != EINTR) return Fail(errno, reason);
  return ok || Fail(writeError != 0 ? writeError : EIO, reason);
}

// Flushes the folder's entry list, so that a rename in it is on the disk.
void SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteFileReplacing(const std::filesystem::path& requested, const std::function<bool(ByteSink&)>& write,
                        std::string* reason) {
  namespace fs = std::filesystem;
  if (!requested.has_filename()) return Fail(EISDIR, reason);
  fs::path path = requested;
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    const fs::path target = fs::canonical(path, ec);
    if (!ec) path = target;  // a dangling link is replaced by the new file
  }
  struct stat st;
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return Fail(EISDIR, reason);
  if (exists && !S_ISREG(st.st_mode)) return WriteDevice(path, write, reason);

  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  std::vector<char> buffer(temp.begin(), temp.end());
  buffer.push_back('\0');
  int fd = ::mkstemp(buffer.data());
  if (fd < 0) return Fail(errno, reason);
  temp = buffer.data();

  FdSink sink(fd);
  int error = 0;
  if (::fchmod(fd, exists ? (st.st_mode & 07777) : NewFileMode()) != 0) error = errno;
  if (error == 0 && !write(sink)) error = sink.error() != 0 ? sink.error() : EIO;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && errno != EINTR && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return Fail(error, reason);
  }
  SyncFolder(folder);
  return true;
}

}  // namespace orbline
