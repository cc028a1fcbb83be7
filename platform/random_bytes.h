#pragma once

#include <cstddef>
#include <string>

namespace orbline {

// Fills `out` with `size` bytes from the system's cryptographic random source (getrandom on
// Linux, BCryptGenRandom on Windows), for secrets such as orblinec serve's token. False with
// `*err` when the system gave none.
bool RandomBytes(unsigned char* out, std::size_t size, std::string* err);

}  // namespace orbline
