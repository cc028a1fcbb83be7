#pragma once

#include <QObject>
#include <QString>

#include "platform/message_sink.h"
#include "platform/save_name_prompt.h"
#include "platform/wait_cursor.h"

class QWidget;

namespace orbline {

// Message boxes: one OK button, the stop or information icon, caption "Orbline" unless the caller
// gives one. Texts arrive in Shift_JIS and are decoded for the screen.
class QtMessageSink : public MessageSink {
 public:
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
};

// The busy cursor over the whole application while it shows, except while a modal dialog or box
// is open: the user is asked something then, and sees the normal cursor. Make it after the
// application object.
class QtWaitCursor : public QObject, public WaitCursor {
 public:
  QtWaitCursor();
  ~QtWaitCursor() override;

 protected:
  void Show(bool busy) override;
  // Follows every window of the application as it shows and hides.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Apply();

  bool busy_ = false;
  bool shown_ = false;  // the busy cursor is on the application's cursor stack
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
