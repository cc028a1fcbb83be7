#pragma once

#include <QKeySequence>
#include <QString>

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

}  // namespace orbline
