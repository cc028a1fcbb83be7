#pragma once

#include <cstddef>
#include <string>

namespace orbline {

// Where the compiled bytes go.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all `size` bytes; false on a failure (the sink stays failed).
  virtual bool Write(const char* data, size_t size) = 0;
};

// Collects the bytes in memory.
class StringSink : public ByteSink {
 public:
  bool Write(const char* data, size_t size) override {
    bytes.append(data, size);
    return true;
  }
  std::string bytes;
};

}  // namespace orbline
