#pragma once

#include <QMainWindow>

#include <map>

class QLabel;
class QPrinter;
class QToolBar;

namespace orbline {

class Document;
class OrblineView;
class ProfileStore;
struct Services;

// The main window: menu bar, accelerators, tool bar, a status bar of two panes and the view.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Takes the reading settings (section "data") and the display (section "mode") from `profile`.
  MainWindow(Document& doc, ProfileStore& profile, const Services& services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Writes the display (section "mode") and then the reading settings (section "data") back to
  // the profile; the program does so as it ends.
  void SaveSettings();

  // Runs the command `id` as the menu, a key or a button would.
  void Dispatch(int id);

  QAction* action(int id) const;
  OrblineView* view() const { return view_; }
  QToolBar* toolBar() const { return toolBar_; }
  // Pane 0 (prompts, idle text) and pane 1 (the view's status text).
  QLabel* statusPane(int index) const;

 private:
  void BuildMenus();
  void BuildAccelerators();
  void BuildToolBar();
  void BuildStatusBar();
  void UpdateCheckMarks();
  void PrintWithDialog();
  void PrintPreview();
  void PrinterSetup();

  Document& doc_;
  ProfileStore& profile_;
  OrblineView* view_;
  QToolBar* toolBar_ = nullptr;
  QLabel* panes_[2] = {nullptr, nullptr};
  std::map<int, QAction*> actions_;
  QPrinter* printer_;
};

}  // namespace orbline
