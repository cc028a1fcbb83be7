#pragma once

#include <QDockWidget>

#include <vector>

#include "platform/finding.h"

class QTreeWidget;

namespace orbline {

// The problems list: a dock under the display with every finding of the whole line, one row each
// (severity, file, line, code, message) in the order given. It shows only while it has rows and
// is wanted; closing it makes it unwanted. Activating a row (a double click, Enter) asks to open
// the row's file at its line; choosing one tells which file and line it is about.
class ProblemsPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit ProblemsPanel(QWidget* parent = nullptr);

  // Replaces every row; the current row stays on its finding while that is still there, else on
  // the row that took its place.
  void SetFindings(const std::vector<Finding>& findings);
  void SetWanted(bool wanted);
  bool wanted() const { return wanted_; }
  int errorCount() const { return errors_; }
  int warningCount() const { return warnings_; }
  QTreeWidget* list() const { return list_; }

 signals:
  // `file` is the source file's name in the line's folder, `line` 1-based or 0 for the whole file.
  void openRequested(const QString& file, int line);
  // The current row is about `line` of `file` (0 for the whole file); an empty file when there is
  // no current row, it names no file or the list is not shown.
  void findingChosen(const QString& file, int line);
  void wantedChanged(bool wanted);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ShowIfWanted();
  void TellChoice();

  QTreeWidget* list_;
  bool wanted_ = true;
  int errors_ = 0;
  int warnings_ = 0;
};

}  // namespace orbline
