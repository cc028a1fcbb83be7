#pragma once

#include <string_view>

namespace orbline {

enum CompilerText : int {
  kTextCompileFailed,   // the compile command's failure box
  kTextCompileCaption,  // its caption
};

// The text in Shift_JIS.
std::string_view GetCompilerText(CompilerText id);

}  // namespace orbline
