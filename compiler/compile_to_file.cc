#include "compiler/compile_to_file.h"

#include "compiler/zkf_writer.h"
#include "document/document.h"
#include "document/error_code.h"
#include "document/source_file_names.h"
#include "platform/line_reader.h"
#include "platform/replacing_file_writer.h"
#include "platform/utf8_path.h"

namespace orbline {
namespace {

// The source file of the route that `target` is, whatever path names it (through "./", another
// folder or a link), or "" when it is none of them.
std::string SourceFileAt(const std::filesystem::path& target, const LineReader& files) {
  for (const std::string& name : SourceFileNames()) {
    const std::optional<std::filesystem::path> source = files.PathOf(name);
    std::error_code ec;
    if (source && std::filesystem::equivalent(target, *source, ec)) return name;
  }
  return {};
}

}  // namespace

bool CompileToFile(Document& doc, const std::filesystem::path& target, const LineReader& files, FindingSink& findings) {
  if (const std::string source = SourceFileAt(target, files); !source.empty()) {
    // A name that would destroy the author's work is not kept as the next one offered.
    Finding f = MakeFinding(kErrZkfOverSource, 0, 0, {}, 0);
    f.detail = Utf8(target) + " is " + source;
    findings.Report(f);
    return false;
  }
  doc.targetFileName = Utf8(target.filename());
  doc.targetFolder = target.parent_path();

  std::string reason;
  if (!WriteFileReplacing(
          target, [&doc](ByteSink& sink) { return WriteZkf(doc, sink); }, &reason)) {
    Finding f = MakeFinding(kErrZkf, 0, 0, {}, 0);
    f.detail = Utf8(target) + ": " + reason;
    findings.Report(f);
    return false;
  }
  return true;
}

}  // namespace orbline
