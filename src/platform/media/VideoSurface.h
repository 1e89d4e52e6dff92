#pragma once
// The window a video plays in: a child of the control named in the open
// command, showing the newest frame scaled to fit with its proportions kept.
// Like a media window, it keeps the clicks on it to itself; the program
// learns of them by reading the mouse buttons (AsyncKeyState).
#include <QVideoFrame>
#include <QWidget>

namespace tossbox {

class VideoSurface : public QWidget {
  Q_OBJECT
 public:
  explicit VideoSurface(QWidget* parent);

  void showFrame(const QVideoFrame& frame);
  [[nodiscard]] bool hasFrame() const { return frame_.isValid(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QVideoFrame frame_;
};

}  // namespace tossbox
