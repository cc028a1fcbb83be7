#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "view/view_state.h"

class QPainter;
class QPrinter;

namespace orbline {

class Document;
class FindingSink;
class LineReader;
class MessageSink;

// The window's content: shows one display of the document on the 1000 × 750 page stretched over
// its client area, and handles the view's commands: the test commands, pages and the grid.
class OrblineView : public QWidget {
  Q_OBJECT

 public:
  // `messages` shows the coordinate box of a click.
  OrblineView(Document& doc, const ViewState& state, MessageSink& messages, QWidget* parent = nullptr);

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

 signals:
  // Status pane 1's text after every drawing.
  void statusText(const QString& text);
  // The display mode, page or grid changed.
  void stateChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // Repaints and tells that the display's state may have changed.
  void Changed();

  Document& doc_;
  MessageSink& messages_;
  ViewState state_;
  QImage frame_;  // what the last paint drew
};

}  // namespace orbline
