#include "compiler/compiler_texts.h"

#include "document/sjis_text_table.h"

namespace orbline {
namespace {

const SjisText<CompilerText> kTexts[] = {
#include "compiler_texts.inc"
};

}  // namespace

std::string_view GetCompilerText(CompilerText id) { return FindSjisText(kTexts, id); }

}  // namespace orbline
