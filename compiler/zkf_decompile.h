#pragma once

#include <string>
#include <utility>
#include <vector>

#include "compiler/zkf_reader.h"
#include "document/format_settings.h"

namespace orbline {

// Source files that compile back to a given compiled file, and the settings to compile them with.
struct DecompiledRoute {
  FormatSettings settings;
  std::vector<std::pair<std::string, std::string>> files;  // bare name, bytes (Shift_JIS, CR LF)
};

// Writes the source files of a decoded compiled file into `*route`: info.txt, kind.txt, eki.txt,
// map.txt and the data%d.txt files its day-type scheme reads. `kugiri` picks the separation (0 tab,
// 1 comma, 2 space) or, with −1, the first of them that no text of the file contains. Times, waits
// and the B and T numbers are written so that the compiler gives back every stored word exactly,
// 16-bit wrap-around included (a one-minute wait is read as 30 seconds, so the settings have 30sec
// on). False, with `*err` saying which text or value no source file can give.
bool Decompile(const ZkfFile& file, int kugiri, DecompiledRoute* route, std::string* err);

// Reads the files as compiling does, with their settings, and writes the compiled file into
// `*bytes`. False with `*err` set (the first message, as "error N") when a reader or check fails.
bool CompileInMemory(const DecompiledRoute& route, std::string* bytes, std::string* err);

}  // namespace orbline
