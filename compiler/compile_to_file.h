#pragma once

namespace orbline {

class Document;

// Asks for the target name and writes the compiled file there. Returns 1 when the file was
// written and closed; 0 when the prompt was cancelled (no message) or after reporting a file
// error (71). The chosen name becomes `targetFileName` and its folder `targetFolder`, even when
// writing then fails; the folder the source files are read from stays as it was.
int CompileToFile(Document& doc);

}  // namespace orbline
