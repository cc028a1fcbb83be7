#include "platform/buffered_line_file.h"

#include <cstring>

namespace orbline {

BufferedLineFile::BufferedLineFile(size_t bufferSize) : buffer_(bufferSize) {}

LineFile::Result BufferedLineFile::ReadLine(std::string_view* line) {
  if (failed_) return Result::kError;
  long_.clear();
  bool spanning = false;
  for (;;) {
    const char* data = buffer_.data() + begin_;
    const size_t avail = end_ - begin_;
    const void* lf = avail ? std::memchr(data, '\n', avail) : nullptr;
    if (lf != nullptr) {
      size_t len = static_cast<const char*>(lf) - data;
      begin_ += len + 1;
      if (spanning) {
        long_.append(data, len);
        if (!long_.empty() && long_.back() == '\r') long_.pop_back();
        *line = long_;
      } else {
        if (len > 0 && data[len - 1] == '\r') --len;
        *line = std::string_view(data, len);
      }
      return Result::kLine;
    }
    if (atEnd_) {
      // A last line without a line end still counts; nothing left means the end.
      if (!spanning && avail == 0) return Result::kEnd;
      long_.append(data, avail);
      begin_ = end_;
      *line = long_;
      return Result::kLine;
    }
    // No line end in what is buffered: keep the partial line and read more.
    if (avail > 0) {
      long_.append(data, avail);
      spanning = true;
    }
    begin_ = end_ = 0;
    long n = ReadBytes(buffer_.data(), buffer_.size());
    if (n < 0) {
      failed_ = true;
      return Result::kError;
    }
    if (n == 0) atEnd_ = true;
    end_ = static_cast<size_t>(n);
  }
}

}  // namespace orbline
