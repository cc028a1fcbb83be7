#include "compiler/compile_to_file.h"

#include "compiler/replacing_file_writer.h"
#include "compiler/zkf_writer.h"
#include "doc/document.h"
#include "doc/error_code.h"

namespace orbline {

int CompileToFile(Document& doc) {
  const Services& services = doc.services();
  WaitCursorGuard wait(services.waitCursor);
  if (services.savePrompt == nullptr) return 0;

  SaveNamePrompt::Request request;
  request.defaultExtension = "zkf";
  request.initialName = doc.targetFileName;
  request.initialFolder = doc.targetFolder;
  request.filter = "ZKF File|*.zkf|All Files|*.*||";
  SaveNamePrompt::Choice choice;
  if (!services.savePrompt->Ask(request, &choice)) return 0;
  doc.targetFileName = choice.fileName;
  doc.targetFolder = choice.folder;

  std::string path = choice.folder;
  if (!path.empty() && path.back() != '/') path += '/';
  path += choice.fileName;
  if (!WriteFileReplacing(path, [&doc](ByteSink& sink) { return WriteZkf(doc, sink); })) {
    doc.ReportError(kErrZkf, 0, 0);
    return 0;
  }
  return 1;
}

}  // namespace orbline
