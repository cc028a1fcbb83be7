#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line_reader.h"

namespace orbline {

// Cuts a byte stream into lines; subclasses only supply the bytes. A line may be any length: it
// is kept in the read buffer while it fits and in a separate string once it spans reads.
class BufferedLineFile : public LineFile {
 public:
  Result ReadLine(std::string_view* line) final;

 protected:
  explicit BufferedLineFile(size_t bufferSize = 64 * 1024);

  // Fills up to `size` bytes into `dest`; returns the count, 0 at the end, or -1 on an error.
  virtual long ReadBytes(char* dest, size_t size) = 0;

 private:
  std::vector<char> buffer_;
  size_t begin_ = 0;  // first unread byte in buffer_
  size_t end_ = 0;    // one past the last valid byte in buffer_
  bool atEnd_ = false;
  bool failed_ = false;
  std::string long_;  // a line that spans more than one read
};

}  // namespace orbline
