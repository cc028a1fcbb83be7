#include "compiler/compile_command.h"

#include "compiler/check_data.h"
#include "compiler/compile_to_file.h"
#include "compiler/compiler_texts.h"
#include "doc/document.h"

namespace orbline {

bool RunCompileCommand(Document& doc) {
  doc.ResetTables();
  if (!doc.ReadInfo() || !doc.ReadKinds() || !doc.ReadStations() || !doc.ReadMap() || !doc.ReadTimetables() ||
      !CheckData(doc))
    return false;
  if (!CompileToFile(doc)) {
    doc.services().messages.Show(GetCompilerText(kTextCompileFailed), GetCompilerText(kTextCompileCaption),
                                 MessageIcon::kStop);
    return false;
  }
  return true;
}

}  // namespace orbline
