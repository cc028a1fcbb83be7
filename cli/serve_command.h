#pragma once

namespace orbline {

struct CommandLine;

// "serve": the line's folder tested in a browser (see ServeHandler for what it answers), until
// Ctrl+C. Exit status 0 once stopped, 1 when it could not start.
int RunServe(const CommandLine& cl);

}  // namespace orbline
