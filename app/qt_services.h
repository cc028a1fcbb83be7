#pragma once

#include <QObject>
#include <QString>

#include "app/message_sink.h"
#include "app/save_name_prompt.h"

class QWidget;

namespace orbline {

// Message boxes: one OK button, the stop or information icon, caption "Orbline" unless the caller
// gives one. Texts arrive in Shift_JIS and are decoded for the screen.
class QtMessageSink : public MessageSink {
 public:
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
};

// The busy cursor over the whole application while a command reads or writes, except while a
// modal dialog or box is open: the user is asked something then, and sees the normal cursor.
// Begin and End nest: the cursor shows from the first Begin until the matching outermost End.
// Make it after the application object.
class QtWaitCursor : public QObject {
 public:
  QtWaitCursor();
  ~QtWaitCursor() override;

  void Begin();
  void End();
  int depth() const { return depth_; }

 protected:
  // Follows every window of the application as it shows and hides.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Apply();

  int depth_ = 0;
  bool shown_ = false;  // the busy cursor is on the application's cursor stack
};

// Shows the busy cursor for one scope and ends it on every path out of it.
class WaitCursorGuard {
 public:
  explicit WaitCursorGuard(QtWaitCursor& cursor) : cursor_(cursor) { cursor_.Begin(); }
  ~WaitCursorGuard() { cursor_.End(); }
  WaitCursorGuard(const WaitCursorGuard&) = delete;
  WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;

 private:
  QtWaitCursor& cursor_;
};

// The save dialog for the compiled file: default extension "zkf", filters "ZKF File (*.zkf)" and
// "All Files", no question before overwriting. It starts in the folder chosen last, or in
// `startFolder` the first time.
class QtSavePrompt : public SaveNamePrompt {
 public:
  explicit QtSavePrompt(QString startFolder) : startFolder_(std::move(startFolder)) {}
  bool Ask(const Request& request, Choice* choice) override;

 private:
  QString startFolder_;
};

}  // namespace orbline
