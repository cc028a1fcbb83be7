#pragma once

#include <string_view>

namespace orbline {

// A file of orblinec serve's page, built into the program from page/ and the window's tool-bar
// pictures (app/resources/toolbar), so that one file is all an author needs.
struct PageAsset {
  std::string_view path;  // as requested: "/page.js", "/toolbar/01-compile.png"
  std::string_view contentType;
  std::string_view bytes;
};

// The file served at `path`; null for none.
const PageAsset* FindPageAsset(std::string_view path);

}  // namespace orbline
