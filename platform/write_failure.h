#pragma once

#include <string>

namespace orbline {

// Why a file could not be written, in the project's own words, so that every system says it alike
// (error 71 gives it after the file's name).
enum class WriteFailure {
  kNoSuchFolder,  // a folder of the path does not exist
  kNotAFolder,    // a file stands where a folder of the path should be
  kIsAFolder,     // the name is a folder's
  kNoPermission,  // the user may not write there (the folder, or the file)
  kReadOnlyFile,  // the file is marked read-only
  kInUse,         // another program holds the file open
  kDiskFull,
  kTooLarge,  // larger than the disk or the system allows a file to be
  kReadOnlyDisk,
  kBadName,  // a name the system does not allow, or one too long
  kOther,    // anything else; the system's number is given with it
};

// The reason as a person reads it; `systemCode` is shown for kOther.
std::string WriteFailureText(WriteFailure failure, int systemCode = 0);

}  // namespace orbline
