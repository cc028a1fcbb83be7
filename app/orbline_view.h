#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "view/canvas.h"
#include "view/view_state.h"

class QPainter;
class QPrinter;

namespace orbline {

class Document;
class HitMap;
class FindingSink;
class LineReader;
class MessageSink;

// The window's content: shows one display of the document on the 1000 × 750 page stretched over
// its client area, and handles the view's commands: the test commands, pages and the grid.
//
// It knows the source row of what it shows: the pointer names the row under it (pointerText), a
// right click offers to open that row in the editor, in the listings so does a double click, and a
// marked row (a finding chosen in the problems list) shows framed over the drawing, never in it:
// prints and exports draw without the frame.
class OrblineView : public QWidget {
  Q_OBJECT

 public:
  // `messages` shows the coordinate box of a click.
  OrblineView(Document& doc, const ViewState& state, MessageSink& messages, QWidget* parent = nullptr);

  ~OrblineView() override;

  ViewState& state() { return state_; }
  const Document& document() const { return doc_; }

  // The test command of display `mode` (1..7): sets the mode, reads the display's files from
  // `files` into the emptied document, reporting faults to `findings`, and repaints whatever was
  // read. Another mode changes nothing.
  void Test(int mode, LineReader& files, FindingSink& findings);
  // Map page 1..12; nothing is read again.
  void SelectPage(int page);
  void ToggleGrid();

  // Draws the current display over a device area of width × height pixels, of which a screen shows
  // `pixelRatio` to a point, and publishes the status text, as every paint does. Returns the
  // status text.
  QString Draw(QPainter& painter, int width, int height, double pixelRatio = 1);
  // Prints the current display on one page, at the printer's resolution, as large as its printable
  // area allows.
  void Print(QPrinter& printer);
  // Draws the current display as large as an area of `area` device pixels allows at the page's
  // 4:3 proportion, centred in it.
  void DrawFitted(QPainter& painter, const QSize& area);

  // The row under the client point `at`: in a map display that of the topmost thing drawn within a
  // few pixels, in a listing the line there. None if none.
  SourceRow RowAt(const QPoint& at);
  // The status text for the pointer at `at`: in a map display the page coordinates, then the row
  // under it ("(412,233)  map.txt:24  44 ラベル 汐凪港"); empty where there is neither.
  QString PointerText(const QPoint& at);
  // Frames the things drawn from line `line` of `file` wherever the display shows them; an empty
  // file frames nothing.
  void MarkRow(const QString& file, int line);
  // The frames of the marked row in client coordinates, one where it is drawn; none when the
  // display does not show it.
  std::vector<QRectF> MarkedFrames();

 signals:
  // Status pane 1's text after every drawing.
  void statusText(const QString& text);
  // The display mode, page or grid changed.
  void stateChanged();
  // The text of the pointer's pane, as it moves; empty when it leaves.
  void pointerText(const QString& text);
  // Line `line` of `file` (a source file's name) is to open in the editor.
  void openRequested(const QString& file, int line);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Repaints and tells that the display's state may have changed.
  void Changed();
  // Where the current display puts what, in the pixels of the last paint.
  const HitMap& Hits();
  void Open(const SourceRow& row);

  Document& doc_;
  MessageSink& messages_;
  ViewState state_;
  QImage frame_;                  // what the last paint drew
  std::unique_ptr<HitMap> hits_;  // null until asked for after a paint or a change
  std::string markedFile_;
  int markedLine_ = 0;
};

}  // namespace orbline
