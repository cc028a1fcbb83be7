#pragma once

#include <cstdint>
#include <string_view>

#include "compiler/byte_sink.h"

namespace orbline {

// The four encodings of the compiled file, written through a 4096-byte buffer: a value goes into
// the buffer when it fits, and the buffer goes to the sink when the next value does not.
class ZkfOutput {
 public:
  static constexpr size_t kBufferSize = 4096;

  explicit ZkfOutput(ByteSink& sink) : sink_(sink) {}

  // 2 bytes, low byte first.
  void Word(uint16_t value) {
    if (used_ + 2 > kBufferSize) Drain();
    buffer_[used_++] = static_cast<char>(value & 0xFF);
    buffer_[used_++] = static_cast<char>(value >> 8);
  }
  // 4 bytes, low byte first.
  void Dword(uint32_t value) {
    if (used_ + 4 > kBufferSize) Drain();
    for (int shift = 0; shift < 32; shift += 8) buffer_[used_++] = static_cast<char>((value >> shift) & 0xFF);
  }
  // A length prefix (1, 3 or 7 bytes) and the bytes, with no terminator.
  void String(std::string_view bytes);
  // A section name with its brackets, written as a String.
  void Tag(std::string_view name) { String(name); }

  // Writes what is left in the buffer. False when any write failed.
  bool Flush();
  bool failed() const { return failed_; }

 private:
  void Put(const char* data, size_t size);
  void Drain();

  ByteSink& sink_;
  char buffer_[kBufferSize];
  size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace orbline
