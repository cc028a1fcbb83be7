#include "platform/wait_cursor.h"

namespace orbline {

void WaitCursor::Begin() {
  if (depth_++ == 0) Show(true);
}

void WaitCursor::End() {
  if (depth_ == 0) return;  // an unmatched End changes nothing
  if (--depth_ == 0) Show(false);
}

}  // namespace orbline
