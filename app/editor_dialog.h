#pragma once

#include <QDialog>

class QLineEdit;

namespace orbline {

// "エディタの設定": the command line of the author's editor, with its placeholders explained.
class EditorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit EditorDialog(const QString& commandLine, QWidget* parent = nullptr);

  QString commandLine() const;
  QLineEdit* edit() const { return edit_; }

 private:
  QLineEdit* edit_;
};

// Runs the dialog on `*commandLine` and keeps its text only when OK ends it; returns whether it did.
bool RunEditorDialog(QString* commandLine, QWidget* parent);

}  // namespace orbline
