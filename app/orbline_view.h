#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "view/view_commands.h"
#include "view/view_state.h"

class QPainter;
class QPrinter;

namespace orbline {

class Document;

// The window's content: shows one display of the document on the 1000 × 750 page stretched over
// its client area, and handles the view's commands.
class OrblineView : public QWidget {
  Q_OBJECT

 public:
  OrblineView(Document& doc, const ViewState& state, const Services& services, QWidget* parent = nullptr);

  ViewState& state() { return state_; }
  ViewCommands& commands() { return commands_; }

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
  Document& doc_;
  MessageSink& messages_;
  ViewState state_;
  ViewCommands commands_;
  QImage frame_;  // what the last paint drew
};

}  // namespace orbline
