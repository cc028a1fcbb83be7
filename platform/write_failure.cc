#include "platform/write_failure.h"

namespace orbline {

std::string WriteFailureText(WriteFailure failure, int systemCode) {
  switch (failure) {
    case WriteFailure::kNoSuchFolder: return "the folder does not exist";
    case WriteFailure::kNotAFolder: return "a file stands where a folder should be";
    case WriteFailure::kIsAFolder: return "a folder has this name";
    case WriteFailure::kNoPermission: return "no permission to write there";
    case WriteFailure::kReadOnlyFile: return "the file is read-only";
    case WriteFailure::kInUse: return "another program is using the file; close it there and compile again";
    case WriteFailure::kDiskFull: return "the disk is full";
    case WriteFailure::kTooLarge: return "the file is too large for the disk";
    case WriteFailure::kReadOnlyDisk: return "the disk is read-only";
    case WriteFailure::kBadName: return "the system does not allow this name";
    case WriteFailure::kOther: break;
  }
  return "the system refused it (error " + std::to_string(systemCode) + ")";
}

}  // namespace orbline
