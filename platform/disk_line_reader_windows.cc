#include <windows.h>

#include "platform/buffered_line_file.h"
#include "platform/disk_line_reader.h"
#include "platform/utf8_path.h"

namespace orbline {
namespace {

// Read as bytes, so a Ctrl-Z (0x1A) in a line is data as on Linux, not the end of the file.
class DiskLineFile : public BufferedLineFile {
 public:
  explicit DiskLineFile(HANDLE file) : file_(file) {}
  ~DiskLineFile() override { CloseHandle(file_); }

 protected:
  long ReadBytes(char* dest, size_t size) override {
    DWORD read = 0;
    if (!ReadFile(file_, dest, static_cast<DWORD>(std::min<size_t>(size, 1 << 30)), &read, nullptr)) return -1;
    return static_cast<long>(read);
  }

 private:
  HANDLE file_;
};

// "Path not found": a folder of the path is missing (the file is not found, as on Linux), or a file
// stands in a folder's place (another failure, as Linux's "not a directory").
FileStatus PathNotFound(const std::filesystem::path& path) {
  for (std::filesystem::path p = path.parent_path(); !p.empty() && p != p.parent_path(); p = p.parent_path()) {
    const DWORD attributes = GetFileAttributesW(p.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
      return attributes & FILE_ATTRIBUTE_DIRECTORY ? FileStatus::kNotFound : FileStatus::kOtherError;
  }
  return FileStatus::kNotFound;
}

}  // namespace

std::unique_ptr<LineFile> DiskLineReader::Open(std::string_view name, FileStatus* status) {
  const std::filesystem::path path = folder_ / PathFromUtf8(name);
  // Shared for reading, writing and deleting, so that an editor can still save over the file.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    // A folder in the file's place cannot be opened so: another failure, as on Linux.
    *status = code == ERROR_FILE_NOT_FOUND   ? FileStatus::kNotFound
              : code == ERROR_PATH_NOT_FOUND ? PathNotFound(path)
                                             : FileStatus::kOtherError;
    return nullptr;
  }
  *status = FileStatus::kOk;
  return std::make_unique<DiskLineFile>(file);
}

}  // namespace orbline
