#include "platform/ui/FramelessFrame.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tossbox {

namespace {

Qt::CursorShape sizingCursor(Qt::Edges edges) {
  const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
  const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
  if (horizontal && vertical) {
    const bool falling =
        edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge);
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

}  // namespace

FramelessFrame::FramelessFrame(QWidget& window, int frameWidth, Qt::Edges sizingEdges)
    : window_(window), frameWidth_(frameWidth), sizingEdges_(sizingEdges) {}

Qt::Edges FramelessFrame::edgesAt(const QPoint& at) const {
  Qt::Edges edges;
  if (at.x() < frameWidth_) edges |= Qt::LeftEdge;
  if (at.x() >= window_.width() - frameWidth_) edges |= Qt::RightEdge;
  if (at.y() < frameWidth_) edges |= Qt::TopEdge;
  if (at.y() >= window_.height() - frameWidth_) edges |= Qt::BottomEdge;
  return edges & sizingEdges_;
}

bool FramelessFrame::pressFrame(const QMouseEvent& event) {
  const Qt::Edges edges = edgesAt(event.position().toPoint());
  if (event.button() != Qt::LeftButton || edges == Qt::Edges()) return false;
  beginSizing(edges, event);
  return true;
}

void FramelessFrame::beginSizing(Qt::Edges edges, const QMouseEvent& event) {
  QWindow* handle = window_.windowHandle();
  if (handle != nullptr && handle->startSystemResize(edges)) return;
  handSizingEdges_ = edges;
  sizingStartGeometry_ = window_.geometry();
  sizingStartMouse_ = event.globalPosition().toPoint();
}

bool FramelessFrame::followSizing(const QMouseEvent& event) {
  if (handSizingEdges_ == Qt::Edges()) return false;
  const QPoint delta = event.globalPosition().toPoint() - sizingStartMouse_;
  const QSize least = window_.minimumSizeHint().expandedTo(window_.minimumSize());
  const QSize most = window_.maximumSize();
  QRect target = sizingStartGeometry_;
  // The edge across from the one dragged stays where it was.
  if (handSizingEdges_ & Qt::LeftEdge)
    target.setLeft(target.right() + 1 -
                   std::clamp(target.width() - delta.x(), least.width(), most.width()));
  if (handSizingEdges_ & Qt::RightEdge)
    target.setWidth(std::clamp(target.width() + delta.x(), least.width(), most.width()));
  if (handSizingEdges_ & Qt::TopEdge)
    target.setTop(target.bottom() + 1 -
                  std::clamp(target.height() - delta.y(), least.height(), most.height()));
  if (handSizingEdges_ & Qt::BottomEdge)
    target.setHeight(std::clamp(target.height() + delta.y(), least.height(), most.height()));
  window_.setGeometry(target);
  return true;
}

void FramelessFrame::showEdgeCursor(const QPoint& at) {
  const Qt::Edges edges = edgesAt(at);
  if (edges == Qt::Edges()) {
    window_.unsetCursor();
    return;
  }
  window_.setCursor(sizingCursor(edges));
}

void FramelessFrame::pressCaption(const QPoint& at) {
  captionPress_ = at;
  captionArmed_ = true;
}

bool FramelessFrame::dragCaption(const QMouseEvent& event) {
  if (followMoving(event)) return true;
  const bool moved = event.position().toPoint() != captionPress_;
  if (!(event.buttons() & Qt::LeftButton) || !moved || !captionArmed_) return false;
  captionArmed_ = false;
  beginMove(event);
  return false;
}

void FramelessFrame::beginMove(const QMouseEvent& event) {
  QWindow* handle = window_.windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return;
  movingByHand_ = true;
  moveGrabOffset_ = event.globalPosition().toPoint() - window_.pos();
}

bool FramelessFrame::followMoving(const QMouseEvent& event) {
  if (!movingByHand_) return false;
  window_.move(event.globalPosition().toPoint() - moveGrabOffset_);
  return true;
}

void FramelessFrame::release() {
  handSizingEdges_ = Qt::Edges();
  movingByHand_ = false;
}

}  // namespace tossbox
