#pragma once

namespace orbline {

class Document;
struct Services;

// Asks for the target name and writes the compiled file there. Returns 1 when the file was
// written and closed; 0 when the prompt was cancelled (no message) or after reporting a file
// error (71), or a target that is one of the line's own source files (72, nothing written). The
// chosen name becomes `targetFileName` and its folder `targetFolder`, even when writing then fails;
// the folder the source files are read from stays as it was.
int CompileToFile(Document& doc, const Services& services);

}  // namespace orbline
