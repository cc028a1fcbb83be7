#pragma once

#include <cstdint>

#include "document/rows.h"

// Constants of the compiled file, format version 2.00.
namespace orbline::zkf {

inline constexpr char kTagZelkor[] = "[Zelkor]";
inline constexpr char kTagInfo[] = "[Info]";
inline constexpr char kTagKind[] = "[Kind]";
inline constexpr char kTagEki[] = "[Eki]";
inline constexpr char kTagMap[] = "[Map]";
inline constexpr char kTagData[] = "[Data]";
inline constexpr char kTagIcon[] = "[Icon]";

inline constexpr uint16_t kVersion = 200;  // 2.00

// String length prefixes: one byte up to 254; FF and a WORD up to 65533; FF FFFF and a DWORD above.
inline constexpr uint32_t kMaxByteLength = 254;
inline constexpr uint32_t kMaxWordLength = 0xFFFD;

// Words per train: the seven header values and a time and stop word per calc station.
constexpr int TrainWidth(uint16_t maxCalcStation) { return 2 * maxCalcStation + Train::kHeaderValueCount; }

}  // namespace orbline::zkf
