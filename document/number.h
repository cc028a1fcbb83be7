#pragma once

#include <cstdint>
#include <string_view>

namespace orbline {

// The C runtime's atoi over a field: leading white space (blank, tab, CR, LF, VT, FF), an optional
// sign, then digits up to the first other byte; no digits give 0. The value is accumulated modulo
// 2^32 as the old C runtime did, so its low 16 bits are always the low 16 bits of the decimal value.
inline int32_t Atoi(std::string_view field) {
  size_t i = 0;
  const size_t n = field.size();
  while (i < n && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < n && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
  uint32_t value = 0;
  for (; i < n && field[i] >= '0' && field[i] <= '9'; ++i) value = value * 10u + uint32_t(field[i] - '0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}

}  // namespace orbline
