#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace orbline {

// How long after the last change to a source file a save is taken as done, in milliseconds: an
// editor may write a file several times for one save. The window and orblinec serve wait alike.
inline constexpr int kSaveSettleMs = 250;

// Notices saves of the named files of a folder without any of the systems' change notices, which
// differ from system to system (and from disk to network share): each Poll looks at every file's
// existence, size and modification time, which costs a few system calls. Editors save in three
// ways and each changes what Poll sees: writing the file in place (its size or time), renaming a
// new file over it (the time), deleting it and creating it again (gone, then back with a new time).
// A folder that goes away and comes back is only its files going and coming.
class FilePoller {
 public:
  // Notes how each file looks now; no change is reported for that.
  FilePoller(std::filesystem::path folder, std::vector<std::string> names);

  // The names of the files that look different from the last Poll, in the order given.
  std::vector<std::string> Poll();

 private:
  struct Look {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    bool operator==(const Look&) const = default;
  };
  Look LookOf(const std::string& name) const;

  std::filesystem::path folder_;
  std::vector<std::string> names_;
  std::map<std::string, Look> looks_;
};

}  // namespace orbline
