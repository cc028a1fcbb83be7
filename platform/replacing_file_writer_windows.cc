#include <windows.h>

#include <cwctype>
#include <string>

#include "platform/replacing_file_writer.h"
#include "platform/write_failure.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

class HandleSink : public ByteSink {
 public:
  explicit HandleSink(HANDLE file) : file_(file) {}
  bool Write(const char* data, size_t size) override {
    while (size > 0) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1 << 20));
      if (!WriteFile(file_, data, chunk, &written, nullptr) || written == 0) {
        error_ = GetLastError();
        if (error_ == 0) error_ = ERROR_DISK_FULL;
        return false;
      }
      data += written;
      size -= written;
    }
    return true;
  }
  DWORD error() const { return error_; }

 private:
  HANDLE file_;
  DWORD error_ = 0;
};

bool Fail(WriteFailure failure, std::string* reason, DWORD code = 0) {
  *reason = WriteFailureText(failure, static_cast<int>(code));
  return false;
}

// "Path not found" is all Windows says when a folder of the path is missing, and also when a file
// stands in a folder's place: the nearest part of the path that exists tells which.
WriteFailure MissingFolder(const fs::path& path) {
  for (fs::path p = path.parent_path(); !p.empty() && p != p.parent_path(); p = p.parent_path()) {
    const DWORD attributes = GetFileAttributesW(p.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
      return attributes & FILE_ATTRIBUTE_DIRECTORY ? WriteFailure::kNoSuchFolder : WriteFailure::kNotAFolder;
  }
  return WriteFailure::kNoSuchFolder;
}

// The reason for a failure `code` of the system about `path`, asking again where Windows says
// only "access denied": for a read-only file, for one that another program has open (which keeps
// it from being replaced), and for a folder or file the user may not write.
bool FailFor(DWORD code, const fs::path& path, std::string* reason) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Fail(MissingFolder(path), reason);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return Fail(WriteFailure::kInUse, reason);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Fail(WriteFailure::kDiskFull, reason);
    case ERROR_FILE_TOO_LARGE: return Fail(WriteFailure::kTooLarge, reason);
    case ERROR_WRITE_PROTECT: return Fail(WriteFailure::kReadOnlyDisk, reason);
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY: return Fail(WriteFailure::kBadName, reason);
    case ERROR_ACCESS_DENIED: break;
    default: return Fail(WriteFailure::kOther, reason, code);
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(WriteFailure::kNoPermission, reason);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(WriteFailure::kIsAFolder, reason);
  if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(WriteFailure::kReadOnlyFile, reason);
  // Opened for writing and for deleting, shared with no one: another program's open handle makes
  // that a sharing violation; a file the user may not change, "access denied" again.
  const HANDLE probe = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const DWORD again = probe == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
  return Fail(again == ERROR_SHARING_VIOLATION || again == ERROR_LOCK_VIOLATION ? WriteFailure::kInUse
                                                                                : WriteFailure::kNoPermission,
              reason);
}

// CON, NUL, COM1 and the like name devices in every folder.
bool IsDeviceName(const fs::path& path) {
  std::wstring stem = path.stem().wstring();
  for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
  if (stem == L"CON" || stem == L"NUL" || stem == L"PRN" || stem == L"AUX") return true;
  return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
         stem[3] <= L'9';
}

bool WriteDevice(const fs::path& path, const std::function<bool(ByteSink&)>& write, std::string* reason) {
  const HANDLE device =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (device == INVALID_HANDLE_VALUE) return FailFor(GetLastError(), path, reason);
  HandleSink sink(device);
  const bool ok = write(sink);
  CloseHandle(device);
  return ok || FailFor(sink.error(), path, reason);
}

}  // namespace

bool WriteFileReplacing(const fs::path& path, const std::function<bool(ByteSink&)>& write, std::string* reason) {
  if (!path.has_filename()) return Fail(WriteFailure::kIsAFolder, reason);
  if (IsDeviceName(path)) return WriteDevice(path, write, reason);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Fail(WriteFailure::kIsAFolder, reason);
  if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_PATH_NOT_FOUND)
    return Fail(MissingFolder(path), reason);
  // Windows refuses to replace a read-only file (not every system that runs Windows programs does):
  // said before anything is written.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return Fail(WriteFailure::kReadOnlyFile, reason);

  // The temporary file beside the target, so that the move is a rename on one disk.
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(L".");
  fs::path temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned n = 0; file == INVALID_HANDLE_VALUE; ++n) {
    temp = folder / (L"." + path.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(n) + L".tmp");
    file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      if (code == ERROR_FILE_EXISTS && n < 100) continue;
      // The folder is where writing was refused, or missing.
      if (code == ERROR_ACCESS_DENIED) return Fail(WriteFailure::kNoPermission, reason);
      return FailFor(code, path, reason);
    }
  }
  HandleSink sink(file);
  DWORD code = ERROR_SUCCESS;
  if (!write(sink)) code = sink.error() != 0 ? sink.error() : ERROR_WRITE_FAULT;
  if (code == ERROR_SUCCESS && !FlushFileBuffers(file)) code = GetLastError();
  if (!CloseHandle(file) && code == ERROR_SUCCESS) code = GetLastError();
  if (code == ERROR_SUCCESS &&
      !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    code = GetLastError();
  if (code != ERROR_SUCCESS) {
    DeleteFileW(temp.c_str());
    return FailFor(code, path, reason);
  }
  return true;
}

}  // namespace orbline
