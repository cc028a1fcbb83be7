#include "compiler/compile_to_file.h"

#include <filesystem>

#include "compiler/zkf_writer.h"
#include "document/document.h"
#include "document/error_code.h"
#include "document/source_files.h"
#include "platform/replacing_file_writer.h"
#include "platform/services.h"
#include "platform/utf8_path.h"

namespace orbline {
namespace {

// The source file of the line that `target` is, whatever path names it (through "./", another
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

int CompileToFile(Document& doc, const Services& services) {
  WaitCursorGuard wait(services.waitCursor);
  if (services.savePrompt == nullptr) return 0;

  SaveNamePrompt::Request request;
  request.defaultExtension = "zkf";
  request.initialName = doc.targetFileName;
  request.initialFolder = doc.targetFolder;
  SaveNamePrompt::Choice choice;
  if (!services.savePrompt->Ask(request, &choice)) return 0;

  const std::filesystem::path path = choice.folder / PathFromUtf8(choice.fileName);
  if (const std::string source = SourceFileAt(path, services.files); !source.empty()) {
    // A name that would destroy the author's work is not kept as the next one offered.
    Finding f = MakeFinding(kErrZkfOverSource, 0, 0, {}, 0);
    f.detail = Utf8(path) + " is " + source;
    services.findings.Report(f);
    return 0;
  }
  doc.targetFileName = choice.fileName;
  doc.targetFolder = choice.folder;

  std::string reason;
  if (!WriteFileReplacing(path, [&doc](ByteSink& sink) { return WriteZkf(doc, sink); }, &reason)) {
    Finding f = MakeFinding(kErrZkf, 0, 0, {}, 0);
    f.detail = Utf8(path) + ": " + reason;
    services.findings.Report(f);
    return 0;
  }
  return 1;
}

}  // namespace orbline
