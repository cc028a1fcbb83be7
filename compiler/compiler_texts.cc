#include "compiler/compiler_texts.h"

namespace orbline {
namespace {

struct Entry {
  CompilerText id;
  const char* text;
  int length;
};

const Entry kTexts[] = {
#include "compiler_texts.inc"
};

}  // namespace

std::string_view GetCompilerText(CompilerText id) {
  for (const Entry& e : kTexts)
    if (e.id == id) return std::string_view(e.text, e.length);
  return {};
}

}  // namespace orbline
