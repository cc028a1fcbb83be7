#include "platform/memory_line_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/buffered_line_file.h"

namespace orbline {
namespace {

class MemoryLineFile : public BufferedLineFile {
 public:
  MemoryLineFile(size_t bufferSize, std::string bytes, size_t failAfter)
      : BufferedLineFile(bufferSize), bytes_(std::move(bytes)), failAfter_(failAfter) {}

 protected:
  long ReadBytes(char* dest, size_t size) override {
    size_t limit = std::min(bytes_.size(), failAfter_);
    if (pos_ >= limit) return pos_ < bytes_.size() ? -1 : 0;
    size_t n = std::min(size, limit - pos_);
    std::memcpy(dest, bytes_.data() + pos_, n);
    pos_ += n;
    return static_cast<long>(n);
  }

 private:
  std::string bytes_;
  size_t failAfter_;
  size_t pos_ = 0;
};

}  // namespace

void MemoryLineReader::Set(std::string name, std::string bytes) { files_[std::move(name)] = Entry{std::move(bytes)}; }

void MemoryLineReader::SetFailingRead(std::string name, std::string bytes, size_t failAfter) {
  files_[std::move(name)] = Entry{std::move(bytes), failAfter};
}

void MemoryLineReader::SetOpenFailure(std::string name, FileStatus status) {
  Entry e;
  e.openStatus = status;
  files_[std::move(name)] = e;
}

int MemoryLineReader::OpenCount(const std::string& name) const {
  auto it = opens_.find(name);
  return it == opens_.end() ? 0 : it->second;
}

std::unique_ptr<LineFile> MemoryLineReader::Open(std::string_view name, FileStatus* status) {
  ++opens_[std::string(name)];
  auto it = files_.find(name);
  if (it == files_.end()) {
    *status = FileStatus::kNotFound;
    return nullptr;
  }
  if (it->second.openStatus != FileStatus::kOk) {
    *status = it->second.openStatus;
    return nullptr;
  }
  *status = FileStatus::kOk;
  return std::make_unique<MemoryLineFile>(bufferSize_, it->second.bytes, it->second.failAfter);
}

}  // namespace orbline
