#include "platform/disk_line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/buffered_line_file.h"
#include "platform/utf8_path.h"

namespace orbline {
namespace {

class DiskLineFile : public BufferedLineFile {
 public:
  explicit DiskLineFile(int fd) : fd_(fd) {}
  ~DiskLineFile() override { ::close(fd_); }

 protected:
  long ReadBytes(char* dest, size_t size) override {
    for (;;) {
      ssize_t n = ::read(fd_, dest, size);
      if (n < 0 && errno == EINTR) continue;
      return static_cast<long>(n);
    }
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<LineFile> DiskLineReader::Open(std::string_view name, FileStatus* status) {
  const std::string path = (folder_ / PathFromUtf8(name)).string();
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    *status = errno == ENOENT ? FileStatus::kNotFound : FileStatus::kOtherError;
    return nullptr;
  }
  // A folder in the file's place opens on this system but is no source file.
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    *status = FileStatus::kOtherError;
    return nullptr;
  }
  *status = FileStatus::kOk;
  return std::make_unique<DiskLineFile>(fd);
}

}  // namespace orbline
