// windows.h first: the headers below need what it defines.
#include <windows.h>

#include <bcrypt.h>

#include "platform/random_bytes.h"

namespace orbline {

bool RandomBytes(unsigned char* out, std::size_t size, std::string* err) {
  const NTSTATUS status = BCryptGenRandom(nullptr, out, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  if (status >= 0) return true;
  *err = "no random bytes (status " + std::to_string(static_cast<long>(status)) + ")";
  return false;
}

}  // namespace orbline
