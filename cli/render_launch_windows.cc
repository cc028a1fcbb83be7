#include "cli/render_launch.h"
#include "platform/console.h"

namespace orbline {

// PNG and PDF are drawn through Qt's GUI libraries, which this build has not; SVG is drawn by
// orblinec itself.
int RunRender(const std::vector<std::string>&) {
  WriteText(stderr,
            "orblinec: render writes .svg on Windows: PNG and PDF are drawn with Qt's GUI libraries, which "
            "this build does not have\n");
  return 1;
}

}  // namespace orbline
