#pragma once

#include <span>
#include <string>
#include <string_view>

#include "document/rows.h"
#include "platform/finding.h"

namespace orbline {

// Numbered failures; each has a fixed message (Shift_JIS) in the program's string table.
enum ErrorCode : int {
  kErrStationCalcNo = 11,
  kErrStationRatio = 12,
  kErrStationTo2Missing = 13,
  kErrMapCalcStation = 14,
  kErrTrainKind = 15,
  kErrTrainCarType = 16,
  kErrTrainStation = 17,
  kErrInfoNotFound = 21,
  kErrInfoUnknown = 22,
  kErrKindNotFound = 31,
  kErrKindUnknown = 32,
  kErrEkiNotFound = 41,
  kErrEkiUnknown = 42,
  kErrEkiRatio = 43,
  kErrEkiNameBlank = 44,
  kErrMapNotFound = 51,
  kErrMapUnknown = 52,
  kErrDataNotFound = 61,
  kErrDataUnknown = 62,
  kErrDataKind = 63,
  kErrDataCarType = 64,
  kErrDataStation = 65,
  kErrDataHeaderCalcNo = 66,
  kErrWeekkind = 67,
  kErrZkf = 71,
  kErrZkfOverSource = 72,
  kWarnUtf8 = 81,
  kWarnSeparator = 82,
  kWarnWideDigits = 83,
  kWarnLinesDropped = 84,
  kWarnHeaderColumnsDropped = 85,
  kWarnColour = 86,
  kWarnKindTableEnds = 131,
  kWarnEkiStationUndefined = 141,
  kWarnEkiEmpty = 142,
  kWarnMapStationUndefined = 151,
  kWarnMapTableEnds = 152,
  kWarnMapItemsWithoutPage = 153,
  kWarnMapPageTwice = 154,
  kWarnMapHeaderOutOfRange = 155,
  kWarnHeaderStationUndefined = 161,
  kWarnHeaderStationTwice = 162,
  kWarnKindUndefined = 163,
  kWarnTimesTurn = 164,
  kWarnClockTime = 165,
  kWarnWaitOverflow = 166,
  kWarnBNumber = 167,
  kWarnStopsCut = 168,
};

struct ErrorMessage {
  int code;      // 0 for the last row, which stands for every code not listed
  int stringId;  // resource id of the message
  Severity severity;
  const char* text;  // Shift_JIS, printf-style with %d and %%
  int length;
};

// Where a train's fault is found: while its timetable file is read, or by the cross-checks.
enum class TrainCheck { kReading, kCrossCheck };
// The code that reports `fault` (not kNone) there: 63..65 while reading, 15..17 in the cross-checks.
int TrainFaultCode(Train::Fault fault, TrainCheck where);

// Every row of the message table in the order of their codes; the last row (code 0) stands for
// every code not listed.
std::span<const ErrorMessage> ErrorMessages();

// The row for `code`; a code not in the table gives the last row.
const ErrorMessage& FindErrorMessage(int code);

// The message of `code` with `a` and `b` put in for its "%d" placeholders, in that order.
std::string FormatErrorMessage(int code, int a, int b);

// The finding of `code` at line `line` of `file` ("" for none; line 0 for the whole file), with
// the code's severity and formatted message.
Finding MakeFinding(int code, int a, int b, std::string_view file, int line);

}  // namespace orbline
