// orbline_make_full_set DIR: writes a line filled to every table's capacity into DIR and lists
// the files with their sizes. Read it with weekkind 2 (weekday / Saturday / Sunday).
#include <cstdio>
#include <exception>

#include "bench/full_data_set.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: orbline_make_full_set DIR\n");
    return 2;
  }
  try {
    const orbline::WrittenDataSet set = orbline::WriteFullDataSet(argv[1]);
    for (const orbline::WrittenFile& f : set.files) std::printf("%-10s %10ju bytes\n", f.name.c_str(), f.bytes);
    std::printf("%-10s %10ju bytes\n", "total", set.totalBytes);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orbline_make_full_set: %s\n", e.what());
    return 1;
  }
  return 0;
}
