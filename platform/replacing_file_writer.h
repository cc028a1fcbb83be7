#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "compiler/byte_sink.h"

namespace orbline {

// Writes a file so that a failure never damages what was there before: the bytes go to a
// temporary file beside the target, which is flushed to the disk and then replaces the target;
// the folder is flushed after that, so the new name survives a power cut. On any failure the
// temporary file is removed and an existing target is untouched. A target that is a device (such
// as /dev/null or /dev/full) is written directly; a folder in the target's place is a failure. A
// symbolic link is followed, so the file it names is replaced.
// `write` puts the bytes into the sink it is given and returns false when that failed.
// A target that another program holds open, or that is read-only, stays as it was where the system
// keeps it from being replaced (Windows). Returns false on any failure, with `*reason` saying why,
// in the words of WriteFailureText.
bool WriteFileReplacing(const std::filesystem::path& path, const std::function<bool(ByteSink&)>& write,
                        std::string* reason);

}  // namespace orbline
