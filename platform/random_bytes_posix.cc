#include <sys/random.h>

#include <cerrno>
#include <cstring>

#include "platform/random_bytes.h"

namespace orbline {

bool RandomBytes(unsigned char* out, std::size_t size, std::string* err) {
  for (std::size_t done = 0; done < size;) {
    const ssize_t got = getrandom(out + done, size - done, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      *err = std::string("no random bytes: ") + std::strerror(errno);
      return false;
    }
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace orbline
