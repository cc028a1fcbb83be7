#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

#include "app/about_dialog.h"
#include "app/command_ids.h"
#include "app/editor_dialog.h"
#include "app/editor_launch.h"
#include "app/format_settings_dialog.h"
#include "app/orbline_view.h"
#include "app/problems_panel.h"
#include "app/route_checker.h"
#include "app/save_name_prompt.h"
#include "app/source_watcher.h"
#include "app/ui_tables.h"
#include "app/view_scroller.h"
#include "compiler/compile_to_file.h"
#include "compiler/compiler_texts.h"
#include "compiler/route_check.h"
#include "document/document.h"
#include "document/source_file_names.h"
#include "platform/finding_sinks.h"
#include "platform/line_reader.h"
#include "platform/profile_store.h"
#include "platform/sjis.h"

namespace orbline {
namespace {

constexpr int kStatusPaneWidth = 260;   // pixels of pane 1
constexpr int kPointerPaneWidth = 300;  // pixels of pane 2

// Profile places of the live authoring settings.
constexpr char kModeSection[] = "mode";
constexpr char kAutoReloadKey[] = "jidou";  // 1: reload the display when its files are saved
constexpr char kEditorSection[] = "editor";
constexpr char kEditorKey[] = "command";

// Counts a command as under way for its whole run.
class Running {
 public:
  explicit Running(int& count) : count_(count) { ++count_; }
  ~Running() { --count_; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  int& count_;
};

// Status pane 1: its text is the display's whole status text, drawn elided with "…" where it is
// too long for the pane, and then shown whole as the pane's tip.
class TitlePane : public QLabel {
 public:
  void SetTitle(const QString& title) {
    setText(title);
    UpdateTip();
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QLabel::resizeEvent(event);
    UpdateTip();
  }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = TextArea();
    style()->drawItemText(&painter, area, alignment(), palette(), isEnabled(),
                          fontMetrics().elidedText(text(), Qt::ElideRight, area.width()), foregroundRole());
  }

 private:
  // Where QLabel puts its text: inside the frame and margin, half an "x" in from a frame.
  QRect TextArea() const {
    const int indentation = indent() >= 0 ? indent() : frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2 : 0;
    return contentsRect().adjusted(margin() + indentation, margin(), -margin() - indentation, -margin());
  }
  void UpdateTip() {
    const bool elided = fontMetrics().horizontalAdvance(text()) > TextArea().width();
    setToolTip(elided ? text() : QString());
  }
};

int TestMode(int id) {
  switch (id) {
    case ID_TEST_INFO: return kModeRouteInfo;
    case ID_TEST_KIND: return kModeKinds;
    case ID_TEST_EKI: return kModeStations;
    case ID_TEST_BIRDSEYE: return kModeBirdsEye;
    case ID_TEST_DIAGRAM: return kModeDiagram;
    case ID_TEST_ROUTEMAP: return kModeRouteMap;
    case ID_TEST_TIMETABLE: return kModeTimetable;
    default: return 0;
  }
}

}  // namespace

MainWindow::MainWindow(Document& doc, ProfileStore& profile, const WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      doc_(doc),
      profile_(profile),
      services_(services),
      boxes_(services.messages),
      problems_(new ProblemsPanel(this)),
      watcher_(new SourceWatcher(this)),
      checker_(new RouteChecker(services.files, this)),
      printer_(new QPrinter(QPrinter::HighResolution)) {
  doc_.settings = FormatSettings::Load(profile);
  doc_.DeriveDelimiter();
  view_ = new OrblineView(doc, ViewState::Load(profile), services.messages, this);
  autoReload_ = profile.GetInt(kModeSection, kAutoReloadKey, 1) != 0;
  editorCommand_ = QString::fromStdString(profile.GetText(kEditorSection, kEditorKey, {}));
  setCentralWidget(new ViewScroller(view_, this));
  BuildMenus();
  BuildAccelerators();
  BuildToolBar();
  BuildStatusBar();
  addDockWidget(Qt::BottomDockWidgetArea, problems_);
  connect(view_, &OrblineView::statusText, this,
          [this](const QString& text) { static_cast<TitlePane*>(panes_[1])->SetTitle(text); });
  connect(view_, &OrblineView::pointerText, this,
          [this](const QString& text) { static_cast<TitlePane*>(panes_[2])->SetTitle(text); });
  connect(view_, &OrblineView::openRequested, this, &MainWindow::OpenInEditor);
  connect(problems_, &ProblemsPanel::findingChosen, view_, &OrblineView::MarkRow);
  connect(view_, &OrblineView::stateChanged, this, &MainWindow::UpdateCheckMarks);
  connect(problems_, &ProblemsPanel::wantedChanged, this, &MainWindow::UpdateCheckMarks);
  connect(problems_, &ProblemsPanel::openRequested, this, &MainWindow::OpenInEditor);
  connect(checker_, &RouteChecker::checked, this, &MainWindow::ShowProblems);
  connect(watcher_, &SourceWatcher::changed, this, &MainWindow::SourcesSaved);
  UpdateCheckMarks();
  WatchRoute();
  CheckRoute();  // the list is right before the first command
  setWindowTitle(WindowCaption());
  resize(820, 680);
}

MainWindow::~MainWindow() { delete printer_; }

void MainWindow::SaveSettings() {
  view_->state().Save(profile_);
  profile_.WriteInt(kModeSection, kAutoReloadKey, autoReload_ ? 1 : 0);
  doc_.settings.Save(profile_);
  profile_.WriteText(kEditorSection, kEditorKey, editorCommand_.toStdString());
}

QAction* MainWindow::action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QLabel* MainWindow::statusPane(int index) const { return index >= 0 && index <= 2 ? panes_[index] : nullptr; }

void MainWindow::BuildMenus() {
  for (const MenuPopup& popup : MenuTable()) {
    QMenu* menu = menuBar()->addMenu(popup.title);
    for (const MenuItem& item : popup.items) {
      if (item.id == 0) {
        menu->addSeparator();
        continue;
      }
      // The key text after "\t" is only shown; the accelerators are separate.
      auto* a = new QAction(item.text, this);
      a->setData(item.id);
      a->setStatusTip(StatusPrompt(item.id));
      a->setToolTip(ToolTipText(item.id));
      a->setShortcutContext(Qt::WidgetShortcut);
      const bool checkable = MapPageOf(item.id) != 0 || item.id == ID_VIEW_GRID || item.id == ID_VIEW_TOOLBAR ||
                             item.id == ID_VIEW_STATUS_BAR || item.id == ID_VIEW_PROBLEMS ||
                             item.id == ID_VIEW_AUTO_RELOAD;
      a->setCheckable(checkable);
      connect(a, &QAction::triggered, this, [this, id = item.id] { Dispatch(id); });
      actions_[item.id] = a;
      menu->addAction(a);
    }
  }
}

void MainWindow::BuildAccelerators() {
  for (const Accelerator& acc : AcceleratorTable()) {
    auto* shortcut = new QShortcut(acc.key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, id = acc.id] { Dispatch(id); });
  }
}

void MainWindow::BuildToolBar() {
  toolBar_ = new QToolBar(ToolTipText(ID_VIEW_TOOLBAR), this);
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setIconSize(QSize(16, 15));
  toolBar_->setFloatable(true);
  for (int id : ToolBarTable()) {
    if (id == 0) {
      toolBar_->addSeparator();
      continue;
    }
    QAction* a = action(id);
    a->setIcon(QIcon(ToolBarImage(id)));
    a->setIconVisibleInMenu(false);  // the images belong to the tool bar; the menu shows texts only
    toolBar_->addAction(a);
  }
  addToolBar(Qt::TopToolBarArea, toolBar_);
  connect(toolBar_, &QToolBar::visibilityChanged, this, [this] { UpdateCheckMarks(); });
}

void MainWindow::BuildStatusBar() {
  panes_[0] = new QLabel(IdleText());
  panes_[1] = new TitlePane();
  panes_[1]->setFixedWidth(kStatusPaneWidth);
  panes_[1]->setFrameShape(QFrame::Panel);
  panes_[1]->setFrameShadow(QFrame::Sunken);
  panes_[2] = new TitlePane();
  panes_[2]->setFixedWidth(kPointerPaneWidth);
  panes_[2]->setFrameShape(QFrame::Panel);
  panes_[2]->setFrameShadow(QFrame::Sunken);
  // Prompts replace pane 0 while a menu item or button is under the pointer; panes 1 and 2 stay.
  statusBar()->addWidget(panes_[0], 1);
  statusBar()->addPermanentWidget(panes_[1]);
  statusBar()->addPermanentWidget(panes_[2]);
}

void MainWindow::UpdateCheckMarks() {
  const ViewState& s = view_->state();
  for (int p = 1; p <= kPageCount; ++p) action(kMapPageIds[p - 1])->setChecked(s.eria == p);
  action(ID_VIEW_GRID)->setChecked(s.grid != 0);
  action(ID_VIEW_TOOLBAR)->setChecked(toolBar_ == nullptr || !toolBar_->isHidden());
  action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
  action(ID_VIEW_PROBLEMS)->setChecked(problems_->wanted());
  action(ID_VIEW_AUTO_RELOAD)->setChecked(autoReload_);
}

void MainWindow::Dispatch(int id) {
  Running running(running_);
  if (const int mode = TestMode(id)) {
    {
      WaitCursorGuard busy(waitCursor_);
      view_->Test(mode, services_.files, boxes_);
    }
    // The folder may have been replaced since the watch was set; the check reads every file.
    watcher_->Rearm();
    unseen_.clear();
    CheckRoute();
  } else if (const int page = MapPageOf(id)) {
    view_->SelectPage(page);
  } else {
    switch (id) {
      case ID_VIEW_GRID: view_->ToggleGrid(); break;
      case ID_FILE_COMPILE:
        Compile();
        CheckRoute();
        break;
      case ID_FILE_SETTINGS:
        // The display stays as it was read, but the list shows the route as it is read now.
        if (RunSettingsCommand(doc_, this)) CheckRoute();
        break;
      case ID_FILE_EDITOR: RunEditorDialog(&editorCommand_, this); break;
      case ID_VIEW_PROBLEMS: problems_->SetWanted(!problems_->wanted()); break;
      case ID_VIEW_AUTO_RELOAD:
        autoReload_ = !autoReload_;
        CatchUp();  // with the saves made while it was off, once this command is over
        break;
      case ID_FILE_PRINT: PrintWithDialog(); break;
      case ID_FILE_PRINT_DIRECT: view_->Print(*printer_); break;
      case ID_FILE_PRINT_PREVIEW: PrintPreview(); break;
      case ID_FILE_PRINT_SETUP: PrinterSetup(); break;
      case ID_APP_ABOUT: {
        AboutDialog about(this);
        about.exec();
        break;
      }
      case ID_APP_EXIT: close(); break;
      case ID_VIEW_TOOLBAR: toolBar_->setVisible(toolBar_->isHidden()); break;
      case ID_VIEW_STATUS_BAR: statusBar()->setVisible(statusBar()->isHidden()); break;
      default: break;
    }
  }
  UpdateCheckMarks();
}

// Reads and checks every file, asks where to put the compiled file and writes it; the failure box
// after a cancelled prompt or a failed write, nothing more after a fault of the route, which has
// shown its own box.
void MainWindow::Compile() {
  WaitCursorGuard busy(waitCursor_);
  if (!ReadAndCheck(doc_, services_.files, boxes_, FaultMode::kFirstFault)) return;
  SaveNamePrompt::Request request;
  request.defaultExtension = "zkf";
  request.initialName = doc_.targetFileName;
  request.initialFolder = doc_.targetFolder;
  SaveNamePrompt::Choice choice;
  if (services_.savePrompt.Ask(request, &choice) &&
      CompileToFile(doc_, choice.folder / choice.fileName, services_.files, boxes_))
    return;
  services_.messages.Show(GetCompilerText(kTextCompileFailed), GetCompilerText(kTextCompileCaption),
                          MessageIcon::kStop);
}

void MainWindow::SourcesSaved(const QStringList& names) {
  for (const QString& name : names) unseen_.insert(name.toStdString());
  CatchUp();
}

// A save of a file the display reads reloads it, and with it the list; any other save only
// re-checks the route for the list.
void MainWindow::CatchUp() {
  if (!autoReload_ || unseen_.empty()) return;
  // Never in the middle of a command (a compile waiting in a box has half read the document) nor
  // under a dialog: try again once it is over.
  if (running_ > 0 || QApplication::activeModalWidget() != nullptr) {
    watcher_->Postpone();
    return;
  }
  const std::vector<std::string> read = SourceFilesOf(view_->state().displayMode, doc_.settings.weekkind);
  const bool display =
      std::any_of(read.begin(), read.end(), [this](const std::string& name) { return unseen_.count(name) != 0; });
  unseen_.clear();
  if (display) {
    Reload();
  } else {
    CheckRoute();
  }
}

void MainWindow::Reload() {
  Running running(running_);
  FindingList discarded;  // the check of the whole route below lists them
  {
    WaitCursorGuard busy(waitCursor_);
    view_->Test(view_->state().displayMode, services_.files, discarded);
  }
  // The display first; the check reads the whole line again and must not hold it up.
  view_->repaint();
  emit reloaded();
  CheckRoute();
}

void MainWindow::WatchRoute() {
  const auto someFile = services_.files.PathOf(kInfoFile);
  if (!someFile) return;
  QStringList names;
  for (const std::string& name : SourceFileNames()) names.append(QString::fromStdString(name));
  watcher_->Watch(QFile::decodeName(someFile->parent_path().c_str()), names);
}

void MainWindow::CheckRoute() { checker_->Start(doc_.settings); }

void MainWindow::ShowProblems(const std::vector<Finding>& findings) {
  problems_->SetFindings(findings);
  const int errors = problems_->errorCount();
  const int warnings = problems_->warningCount();
  QString text = IdleText();
  if (errors + warnings > 0) text += QStringLiteral("    ") + ProblemsText().count.arg(errors).arg(warnings);
  panes_[0]->setText(text);
  emit problemsChecked();
}

void MainWindow::OpenInEditor(const QString& file, int line) {
  const auto path = services_.files.PathOf(file.toStdString());
  if (!path) return;
  if (LaunchEditor(editorCommand_, QFile::decodeName(path->c_str()), line)) return;
  const QString text =
      EditorText().failed.arg(editorCommand_.isEmpty() ? QFile::decodeName(path->c_str()) : editorCommand_);
  services_.messages.Show(Utf8ToSjis(text.toStdString()), {}, MessageIcon::kStop);
}

void MainWindow::PrintWithDialog() {
  QPrintDialog dialog(printer_, this);
  if (dialog.exec() == QDialog::Accepted) view_->Print(*printer_);
}

void MainWindow::PrintPreview() {
  QPrintPreviewDialog preview(printer_, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { view_->Print(*printer); });
  preview.exec();
}

void MainWindow::PrinterSetup() {
  QPageSetupDialog dialog(printer_, this);
  dialog.exec();
}

}  // namespace orbline
