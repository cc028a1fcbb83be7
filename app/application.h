#pragma once

class QApplication;

namespace orbline {

// Names the application "Orbline" (the caption of every message box) and makes the Japanese
// Gothic face available under the name the displays ask for. Call once, right after the
// QApplication is made; the window, the tests and image export all do.
void SetUpApplication(QApplication& app);

}  // namespace orbline
