#pragma once
// Moving and sizing a window that draws its own caption and frame. The window
// manager does the work where it agrees to; where it refuses, the window
// follows the mouse itself until the button is released.
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

namespace tossbox {

class FramelessFrame {
 public:
  // `frameWidth` pixels at each side of `window` are its frame; only the
  // edges in `sizingEdges` size it.
  FramelessFrame(QWidget& window, int frameWidth, Qt::Edges sizingEdges);

  // The sizing edges under a point of the window.
  [[nodiscard]] Qt::Edges edgesAt(const QPoint& at) const;
  // A left press on a sizing edge starts sizing; false when the press was elsewhere.
  bool pressFrame(const QMouseEvent& event);
  // Sizes the window while it is sized by hand; false when it is not.
  bool followSizing(const QMouseEvent& event);
  // The sizing pointer over the sizing edges, the window's own elsewhere.
  void showEdgeCursor(const QPoint& at);

  // A press on a caption, at a point of the control pressed: the next move
  // with the left button held, to another point, starts moving the window.
  void pressCaption(const QPoint& at);
  // Starts or goes on moving by the caption; true when the window followed
  // the mouse by hand.
  bool dragCaption(const QMouseEvent& event);

  // Windows that decide for themselves when a drag sizes or moves them start it here, with
  // the mouse event that began the drag; the two follow-ups go on by hand where the window
  // manager refused.
  void beginSizing(Qt::Edges edges, const QMouseEvent& event);
  void beginMove(const QMouseEvent& event);
  // Moves the window while it is moved by hand; false when it is not.
  bool followMoving(const QMouseEvent& event);

  // The button came up: any sizing or moving by hand ends.
  void release();

 private:
  QWidget& window_;
  int frameWidth_;
  Qt::Edges sizingEdges_;

  bool captionArmed_ = false;
  QPoint captionPress_;
  bool movingByHand_ = false;
  QPoint moveGrabOffset_;

  Qt::Edges handSizingEdges_;
  QRect sizingStartGeometry_;
  QPoint sizingStartMouse_;
};

}  // namespace tossbox
