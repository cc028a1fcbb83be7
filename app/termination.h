#pragma once

#include <functional>

namespace orbline {

// Turns SIGTERM, SIGINT and SIGHUP into a call of `onTerminate` on the user-interface thread, so
// that a program asked to end by its session or a terminal ends as the exit command does, and its
// settings reach the profile. Call once, after the application object exists.
void HandleTerminationSignals(std::function<void()> onTerminate);

}  // namespace orbline
