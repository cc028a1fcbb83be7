#pragma once

#include <cstdint>

namespace orbline {

// A colour as 0x00BBGGRR: red in the lowest byte.
using Colour = uint32_t;
constexpr Colour Rgb(uint32_t r, uint32_t g, uint32_t b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }
// Black: the default text colour, which drawings set back after coloured text.
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kCyan = Rgb(0, 255, 255);
constexpr uint32_t RedOf(Colour c) { return c & 0xFF; }
constexpr uint32_t GreenOf(Colour c) { return (c >> 8) & 0xFF; }
constexpr uint32_t BlueOf(Colour c) { return (c >> 16) & 0xFF; }

}  // namespace orbline
