#pragma once

namespace orbline {

class Document;
struct Services;

// The compile command: empties the document, reads every source file, checks the tables and
// writes the compiled file, stopping at the first failure (which has shown its message). After a
// failed or cancelled write it shows "コンパイルに失敗しました。". Returns true when the file was written.
bool RunCompileCommand(Document& doc, const Services& services);

}  // namespace orbline
