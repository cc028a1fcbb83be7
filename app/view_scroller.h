#pragma once

#include <QScrollArea>

namespace orbline {

class OrblineView;

// Holds the view, which fills it. The listings keep their font at 12 pixels or more, so in a
// narrow window their columns, placed in page units, would run into each other ("101102"): a
// listing is drawn no narrower than the narrowest width at which the texts of each of its rows stay
// apart by half a character, and the window scrolls it horizontally below that. The map drawings
// and every listing that fits are drawn at the window's width, as before.
class ViewScroller : public QScrollArea {
  Q_OBJECT

 public:
  explicit ViewScroller(OrblineView* view, QWidget* parent = nullptr);

  // The narrowest width, in pixels, at which the current display keeps its columns apart when
  // drawn `height` pixels high; 0 for a map drawing or a listing without columns.
  int NarrowestWidth(int height) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Sets the view's least width for the current display and the scroller's height.
  void Fit();

  OrblineView* view_;
};

}  // namespace orbline
