#include "compiler/compile_command.h"

#include "compiler/compile_to_file.h"
#include "compiler/compiler_texts.h"
#include "compiler/line_check.h"
#include "document/document.h"
#include "platform/services.h"

namespace orbline {

bool RunCompileCommand(Document& doc, const Services& services) {
  if (!ReadAndCheck(doc, services.files, services.findings, services.waitCursor, FaultMode::kFirstFault)) return false;
  if (!CompileToFile(doc, services)) {
    services.messages.Show(GetCompilerText(kTextCompileFailed), GetCompilerText(kTextCompileCaption),
                           MessageIcon::kStop);
    return false;
  }
  return true;
}

}  // namespace orbline
