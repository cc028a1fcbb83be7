#pragma once

#include <QMainWindow>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/message_sink.h"
#include "app/qt_services.h"
#include "platform/finding.h"

class QLabel;
class QPrinter;
class QToolBar;

namespace orbline {

class Document;
class RouteChecker;
class LineReader;
class OrblineView;
class ProblemsPanel;
class ProfileStore;
class SourceWatcher;
class SaveNamePrompt;

// What the window asks of the platform. The caller owns them; they outlive the window.
struct WindowServices {
  LineReader& files;  // the route's source files
  MessageSink& messages;
  SaveNamePrompt& savePrompt;  // where the compiled file goes
};

// The main window: menu bar, accelerators, tool bar, a status bar of two panes and the pointer's
// pane after them (the page coordinates and source row under the pointer), and the view, with the
// problems list under it. The row of the chosen finding is framed in the view where it is drawn.
//
// Live authoring: the whole route is checked anew for the problems list, whose count shows in
// pane 0, when the window starts, after every test command, compile, reload and change of the
// reading settings. The window watches every source file of the route; while automatic reloading
// is on, shortly after one is saved the route is checked again, and when the current display reads
// that file, its test command first runs again with its findings going to the problems list
// instead of boxes. Saves made while automatic reloading is off are caught up with when it is
// turned on again. A reload waits while a command runs or a modal dialog or box is open.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Takes the reading settings (section "data"), the display and automatic reloading (section
  // "mode") and the editor (section "editor") from `profile`.
  MainWindow(Document& doc, ProfileStore& profile, const WindowServices& services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Writes the display and automatic reloading (section "mode"), the reading settings (section
  // "data") and the editor (section "editor") back to the profile; the program does so as it ends.
  void SaveSettings();

  // Runs the command `id` as the menu, a key or a button would.
  void Dispatch(int id);

  QAction* action(int id) const;
  OrblineView* view() const { return view_; }
  QToolBar* toolBar() const { return toolBar_; }
  // Pane 0 (prompts, idle text), pane 1 (the view's status text) and pane 2 (what is under the
  // pointer).
  QLabel* statusPane(int index) const;
  ProblemsPanel* problems() const { return problems_; }
  SourceWatcher* watcher() const { return watcher_; }
  QString editorCommand() const { return editorCommand_; }
  void SetEditorCommand(const QString& commandLine) { editorCommand_ = commandLine; }

  // Opens `file` of the line's folder at `line` in the author's editor.
  void OpenInEditor(const QString& file, int line);

 signals:
  // The current display was read again after its files changed, and repainted.
  void reloaded();
  // The problems list holds the findings of a new check of the whole route.
  void problemsChecked();

 private:
  void BuildMenus();
  void BuildAccelerators();
  void BuildToolBar();
  void BuildStatusBar();
  void Compile();
  void UpdateCheckMarks();
  void PrintWithDialog();
  void PrintPreview();
  void PrinterSetup();
  void SourcesSaved(const QStringList& names);
  void CatchUp();
  void Reload();
  void WatchRoute();
  void CheckRoute();
  void ShowProblems(const std::vector<Finding>& findings);

  Document& doc_;
  ProfileStore& profile_;
  WindowServices services_;
  BoxFindings boxes_;  // errors of the commands, each in its stop box
  QtWaitCursor waitCursor_;
  OrblineView* view_;
  ProblemsPanel* problems_;
  SourceWatcher* watcher_;
  RouteChecker* checker_;
  bool autoReload_;
  std::set<std::string> unseen_;  // source files saved since the display and the list last read them
  QString editorCommand_;
  int running_ = 0;  // commands under way: a reload waits for them
  QToolBar* toolBar_ = nullptr;
  QLabel* panes_[3] = {nullptr, nullptr, nullptr};
  std::map<int, QAction*> actions_;
  QPrinter* printer_;
};

}  // namespace orbline
