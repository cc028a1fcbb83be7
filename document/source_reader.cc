#include "document/source_reader.h"

#include "document/document.h"
#include "document/error_code.h"

namespace orbline {

SourceReader::SourceReader(Document& doc, LineReader& files, FindingSink& findings, WaitCursor& waitCursor,
                           ReadOptions options)
    : doc_(doc), files_(files), findings_(findings), waitCursor_(waitCursor), options_(options) {}

void SourceReader::ReportError(int code, int a, int b, std::string_view file, int line) {
  if (!reported_.emplace(std::string(file), line, code, a, b).second) return;
  findings_.Report(MakeFinding(code, a, b, file, line));
}

}  // namespace orbline
