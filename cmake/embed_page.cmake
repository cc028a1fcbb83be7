# Writes OUTPUT, a C++ file that holds the page's files as byte arrays and FindPageAsset over them.
# FILES is a list of triples: the path served, the content type, the file.
#   cmake -DOUTPUT=x.cc -DFILES="/;text/html;page/index.html;..." -P embed_page.cmake
set(arrays "")
set(table "")
set(n 0)
while(FILES)
  list(POP_FRONT FILES served type file)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(APPEND arrays "const char kFile${n}[] = {${bytes} 0};\n")
  string(APPEND table "    {\"${served}\", \"${type}\", std::string_view(kFile${n}, ${size})},\n")
  math(EXPR n "${n} + 1")
endwhile()
file(WRITE "${OUTPUT}.new" "// Made by cmake/embed_page.cmake from the page's files; do not edit.
#include \"cli/page_assets.h\"

namespace orbline {
namespace {
${arrays}
const PageAsset kAssets[] = {
${table}};
}  // namespace

const PageAsset* FindPageAsset(std::string_view path) {
  for (const PageAsset& asset : kAssets)
    if (asset.path == path) return &asset;
  return nullptr;
}

}  // namespace orbline
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
