#pragma once

#include <string>
#include <vector>

namespace orbline {

// "orblinec render" of a PNG or PDF with `args` (the arguments after the program's name): drawing
// them needs Qt's GUI libraries, which take longer to load than compiling a route takes to read, so
// it is done by orblinec-render, a program of its own beside orblinec, which runs in orblinec's place.
// Returns only when it could not be run, with the exit status.
int RunRender(const std::vector<std::string>& args);

}  // namespace orbline
