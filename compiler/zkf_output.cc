#include "compiler/zkf_output.h"

#include <algorithm>
#include <cstring>

#include "compiler/zkf_format.h"

namespace orbline {

void ZkfOutput::Drain() {
  if (used_ > 0 && !failed_ && !sink_.Write(buffer_, used_)) failed_ = true;
  used_ = 0;
}

void ZkfOutput::Put(const char* data, size_t size) {
  while (size > 0) {
    if (used_ == kBufferSize) Drain();
    size_t n = std::min(size, kBufferSize - used_);
    std::memcpy(buffer_ + used_, data, n);
    used_ += n;
    data += n;
    size -= n;
  }
}

void ZkfOutput::String(std::string_view bytes) {
  const uint64_t length = bytes.size();
  if (length <= zkf::kMaxByteLength) {
    const char prefix = static_cast<char>(length);
    if (used_ + 1 > kBufferSize) Drain();
    Put(&prefix, 1);
  } else {
    const char ff = static_cast<char>(0xFF);
    if (used_ + 1 > kBufferSize) Drain();
    Put(&ff, 1);
    if (length <= zkf::kMaxWordLength) {
      Word(static_cast<uint16_t>(length));
    } else {
      Word(0xFFFF);
      Dword(static_cast<uint32_t>(length));
    }
  }
  Put(bytes.data(), bytes.size());
}

bool ZkfOutput::Flush() {
  Drain();
  return !failed_;
}

}  // namespace orbline
