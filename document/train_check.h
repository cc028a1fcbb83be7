#pragma once

#include <array>
#include <cstdint>

#include "document/tables.h"

namespace orbline {

// What is wrong with a train, checked in this order: its kind outside 1..13, its car type outside
// 1..100, a station number above 300. The reader and the cross-checks report it each with
// their own codes.
enum class TrainFault { kNone, kKind, kCarType, kStation };

inline TrainFault CheckTrain(const std::array<uint16_t, kTrainValueCount>& v) {
  if (v[train::kKind] < 1 || v[train::kKind] > kKindCapacity) return TrainFault::kKind;
  if (v[train::kCarType] < 1 || v[train::kCarType] > kMaxCarType) return TrainFault::kCarType;
  if (v[train::kStationA] > kMaxStationNumber || v[train::kStationB] > kMaxStationNumber) return TrainFault::kStation;
  return TrainFault::kNone;
}

}  // namespace orbline
