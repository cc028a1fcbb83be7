#pragma once

#include <filesystem>

namespace orbline {

class Document;
class FindingSink;
class LineReader;

// Writes the compiled file of the document's tables to `target`, which replaces any file of that
// name only once it is whole. True when the file was written. A target that is one of the route's
// own source files (`files` knows where they are) is refused with error 72, and nothing is
// written; any file error is reported as error 71 with the system's reason. The target's name
// becomes `targetFileName` and its folder `targetFolder`, even when writing then fails; a refused
// target does not.
bool CompileToFile(Document& doc, const std::filesystem::path& target, const LineReader& files, FindingSink& findings);

}  // namespace orbline
