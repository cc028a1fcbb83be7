#include "cli/render_launch.h"
#include "platform/console.h"

namespace orbline {

// PNG and PDF are drawn through Qt's GUI libraries, which this build has not. SVG needs none of Qt
// once the displays have a canvas of their own that writes it: it is to be drawn here then.
int RunRender(const std::vector<std::string>&) {
  WriteText(stderr,
            "orblinec: render is not available on Windows: it draws with Qt's GUI libraries, which this "
            "build does not have\n");
  return 1;
}

}  // namespace orbline
