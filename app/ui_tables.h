#pragma once

#include <QKeySequence>
#include <QString>
#include <QStringList>

#include <vector>

namespace orbline {

// The window's menu, accelerators, tool bar and prompt strings, with their Japanese texts.

struct MenuItem {
  QString text;  // "\t" separates the label from the key text shown; empty for a separator
  int id = 0;    // 0 for a separator
};
struct MenuPopup {
  QString title;
  std::vector<MenuItem> items;
};
// Menu 128: the four popups in order.
const std::vector<MenuPopup>& MenuTable();

struct Accelerator {
  QKeySequence key;
  int id;
};
// The 21 accelerators.
const std::vector<Accelerator>& AcceleratorTable();

// The 17 tool bar buttons by command id, 0 standing for a separator, and the image of each button.
const std::vector<int>& ToolBarTable();
QString ToolBarImage(int id);

// The prompt string of a command: the status bar prompt, "\n", the tool tip. Empty when none.
QString PromptString(int id);
QString StatusPrompt(int id);
QString ToolTipText(int id);

// The application title (message box caption), the window caption and pane 0's idle text.
QString ApplicationTitle();
QString WindowCaption();
QString IdleText();

// The problems list: its title, the column headers, the two severities and the count that pane 0
// shows beside the idle text (%1 errors, %2 warnings).
struct ProblemsTexts {
  QString title;
  QStringList headers;
  QString error;
  QString warning;
  QString count;
};
const ProblemsTexts& ProblemsText();

// The editor dialog: title, label, the explanation of the placeholders, and the box shown when
// the editor cannot be started (%1 the command line, or the file when there is none).
struct EditorTexts {
  QString title;
  QString label;
  QString hint;
  QString failed;
};
const EditorTexts& EditorText();

// The view's context menu: the item that opens the row under the pointer in the editor (%1 the
// file, %2 the line), and the same item, disabled, where no row is.
struct RowMenuTexts {
  QString open;
  QString none;
};
const RowMenuTexts& RowMenuText();

}  // namespace orbline
