#include "platform/ui/FramelessFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tossbox {
namespace {

constexpr int kFrame = 4;

QMouseEvent mouse(QEvent::Type type, const QPoint& at, const QPoint& global,
                  Qt::MouseButtons held = Qt::LeftButton) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  return QMouseEvent(type, QPointF(at), QPointF(global), button, held, Qt::NoModifier);
}

struct FramedWindow {
  explicit FramedWindow(Qt::Edges sizing) : frame(window, kFrame, sizing) {
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setMinimumSize(100, 80);
    window.setMaximumSize(300, 200);
    window.setGeometry(50, 60, 150, 120);
  }
  // Presses at `at` of the window and drags the mouse by `by`.
  void dragFrame(const QPoint& at, const QPoint& by) {
    const QPoint global = window.geometry().topLeft() + at;
    ASSERT_TRUE(frame.pressFrame(mouse(QEvent::MouseButtonPress, at, global)));
    frame.followSizing(mouse(QEvent::MouseMove, at + by, global + by));
    frame.release();
  }
  QWidget window;
  FramelessFrame frame;
};

TEST(FramelessFrame, OnlyTheSizingEdgesSizeAndTheOppositeEdgeStays) {
  FramedWindow upright(Qt::TopEdge | Qt::BottomEdge);
  EXPECT_EQ(upright.frame.edgesAt(QPoint(1, 1)), Qt::Edges(Qt::TopEdge));
  EXPECT_EQ(upright.frame.edgesAt(QPoint(1, 60)), Qt::Edges());
  EXPECT_EQ(upright.frame.edgesAt(QPoint(70, 117)), Qt::Edges(Qt::BottomEdge));
  EXPECT_FALSE(upright.frame.pressFrame(mouse(QEvent::MouseButtonPress, QPoint(1, 60), {})));
  // Another button on the frame does not size.
  EXPECT_FALSE(upright.frame.pressFrame(QMouseEvent(QEvent::MouseButtonPress, QPointF(70, 1),
                                                    QPointF(120, 61), Qt::RightButton,
                                                    Qt::RightButton, Qt::NoModifier)));

  upright.dragFrame(QPoint(70, 118), QPoint(40, 30));
  EXPECT_EQ(upright.window.geometry(), QRect(50, 60, 150, 150));
  upright.dragFrame(QPoint(70, 148), QPoint(0, 500));
  EXPECT_EQ(upright.window.geometry(), QRect(50, 60, 150, 200));
  // The top edge keeps the bottom where it was, down to the least height.
  upright.dragFrame(QPoint(70, 1), QPoint(0, 500));
  EXPECT_EQ(upright.window.geometry(), QRect(50, 180, 150, 80));
  // Once the button is up the mouse sizes nothing.
  EXPECT_FALSE(upright.frame.followSizing(mouse(QEvent::MouseMove, {}, QPoint(0, 0))));
  EXPECT_EQ(upright.window.geometry(), QRect(50, 180, 150, 80));

  FramedWindow all(Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge);
  EXPECT_EQ(all.frame.edgesAt(QPoint(149, 0)), Qt::RightEdge | Qt::TopEdge);
  all.dragFrame(QPoint(1, 60), QPoint(-30, 0));
  EXPECT_EQ(all.window.geometry(), QRect(20, 60, 180, 120));
  all.dragFrame(QPoint(179, 119), QPoint(-500, -500));
  EXPECT_EQ(all.window.geometry(), QRect(20, 60, 100, 80));
}

TEST(FramelessFrame, EdgeCursorsFollowTheEdgesUnder) {
  FramedWindow all(Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge);
  all.frame.showEdgeCursor(QPoint(0, 0));
  EXPECT_EQ(all.window.cursor().shape(), Qt::SizeFDiagCursor);
  all.frame.showEdgeCursor(QPoint(149, 0));
  EXPECT_EQ(all.window.cursor().shape(), Qt::SizeBDiagCursor);
  all.frame.showEdgeCursor(QPoint(0, 60));
  EXPECT_EQ(all.window.cursor().shape(), Qt::SizeHorCursor);
  all.frame.showEdgeCursor(QPoint(70, 119));
  EXPECT_EQ(all.window.cursor().shape(), Qt::SizeVerCursor);
  all.frame.showEdgeCursor(QPoint(70, 60));
  EXPECT_EQ(all.window.cursor().shape(), Qt::ArrowCursor);

  FramedWindow upright(Qt::TopEdge | Qt::BottomEdge);
  upright.frame.showEdgeCursor(QPoint(0, 0));
  EXPECT_EQ(upright.window.cursor().shape(), Qt::SizeVerCursor);
}

TEST(FramelessFrame, TheCaptionMovesTheWindowOnlyAfterTheMouseMovesWithTheButtonHeld) {
  FramedWindow framed(Qt::BottomEdge);
  const QPoint grab(30, 10);
  framed.frame.pressCaption(grab);
  // No move yet: the same point, or no button held.
  EXPECT_FALSE(framed.frame.dragCaption(mouse(QEvent::MouseMove, grab, QPoint(80, 70))));
  EXPECT_FALSE(framed.frame.dragCaption(
      mouse(QEvent::MouseMove, grab + QPoint(5, 5), QPoint(85, 75), Qt::NoButton)));
  EXPECT_EQ(framed.window.pos(), QPoint(50, 60));

  // The first move starts it; where the window manager will not move, the window follows.
  EXPECT_FALSE(
      framed.frame.dragCaption(mouse(QEvent::MouseMove, grab + QPoint(5, 5), QPoint(85, 75))));
  EXPECT_TRUE(
      framed.frame.dragCaption(mouse(QEvent::MouseMove, grab + QPoint(5, 5), QPoint(110, 100))));
  EXPECT_EQ(framed.window.pos(), QPoint(75, 85));
  framed.frame.release();
  EXPECT_FALSE(
      framed.frame.dragCaption(mouse(QEvent::MouseMove, grab + QPoint(5, 5), QPoint(200, 200))));
  EXPECT_EQ(framed.window.pos(), QPoint(75, 85));
}

}  // namespace
}  // namespace tossbox
