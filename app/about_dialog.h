#pragma once

#include <QDialog>

namespace orbline {

// The about box (dialog 100): the application icon, the version, the version of the compiled
// file format, the production date with the contact lines, and OK.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kId = 100;
  static constexpr int kIdOk = 1;

  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace orbline
