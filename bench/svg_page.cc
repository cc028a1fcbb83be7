// orbline_svg_page labels|mixed FILE
//
// Writes the SVG of a full map page (bench/full_map_pages.h) as `orblinec render -o FILE.svg`
// draws it at 1000 × 750, for bench/svg_render.sh, and prints its size: "bytes=<n>".
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include "bench/full_map_pages.h"
#include "document/document.h"
#include "view/display.h"
#include "view/svg_canvas.h"
#include "view/view_state.h"

int main(int argc, char** argv) {
  using namespace orbline;
  const bool labels = argc == 3 && std::strcmp(argv[1], "labels") == 0;
  if (argc != 3 || (!labels && std::strcmp(argv[1], "mixed") != 0)) {
    std::fprintf(stderr, "usage: orbline_svg_page labels|mixed FILE\n");
    return 2;
  }
  const std::unique_ptr<Document> doc = labels ? FullLabelPage() : FullMixedPage();
  ViewState view;
  view.displayMode = kModeBirdsEye;
  view.grid = labels ? 0 : 1;
  SvgCanvas canvas;
  canvas.FillSolidRect(0, 0, Canvas::kPageWidth, Canvas::kPageHeight, Rgb(255, 255, 255));
  DrawDisplay(canvas, *doc, view);
  const std::string svg = canvas.Svg();
  std::ofstream out(argv[2], std::ios::binary);
  if (!(out << svg)) {
    std::fprintf(stderr, "orbline_svg_page: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("bytes=%zu\n", svg.size());
  return 0;
}
