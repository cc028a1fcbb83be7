#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orbline {

// The size of one file of a generated data set.
struct WrittenFile {
  std::string name;  // bare file name, e.g. "data1.txt"
  std::uintmax_t bytes = 0;
};

// What WriteFullDataSet wrote: every file in the order written, and their sum.
struct WrittenDataSet {
  std::vector<WrittenFile> files;
  std::uintmax_t totalBytes = 0;

  // Bytes of the named file; 0 when it was not written.
  std::uintmax_t BytesOf(const std::string& name) const;
};

inline constexpr std::uint64_t kFullDataSetSeed = 0x5A4B4632303030ull;

// Writes a line filled to every table's capacity into `folder` (created if missing), in the
// layout the readers expect with tab-separated fields (kugiri 0), CR LF line ends and Shift_JIS
// texts:
//   info.txt   5 lines plus 20 further remarks lines
//   kind.txt   13 kinds
//   eki.txt    300 stations (calc-station numbers 0..300, link To/To2 at most 100 with To2 set
//              whenever To is, ratio below 100, names never empty)
//   map.txt    2000 items: the 36 page headers of the three displays, each followed by its
//              drawing items (kinds 11, 21, 31, 42, 44..48)
//   data1.txt .. data3.txt  one file per day type (weekkind 2): a header of 7 labels and 100
//              calc-station column groups, each with a B and a T field, then 3000 trains
// Read with weekkind 2, the set passes every reader and the cross-checks without a message.
// The same seed always gives the same bytes. Throws std::runtime_error when a file cannot be
// written.
WrittenDataSet WriteFullDataSet(const std::filesystem::path& folder, std::uint64_t seed = kFullDataSetSeed);

}  // namespace orbline
