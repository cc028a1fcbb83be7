#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orbline {

// The line's source files, by their fixed names, in the order the compile command reads them.
inline constexpr std::string_view kInfoFile = "info.txt";
inline constexpr std::string_view kKindFile = "kind.txt";
inline constexpr std::string_view kEkiFile = "eki.txt";
inline constexpr std::string_view kMapFile = "map.txt";
inline constexpr int kTimetableFileCount = 3;

// "data<n>.txt", the timetable file n (1..3).
std::string TimetableFileName(int fileNumber);

// Every source file name in reading order: info, kind, eki, map, data1, data2, data3.
const std::array<std::string, 4 + kTimetableFileCount>& SourceFileNames();
// The name of timetable file n (1..3) among them, which lasts as long as the program.
inline const std::string& StoredTimetableFileName(int fileNumber) { return SourceFileNames()[3 + fileNumber]; }

// The place of `name` in reading order (0 for info.txt); a name that is no source file comes
// after them all.
int ReadingOrder(std::string_view name);

}  // namespace orbline
