#pragma once
// The picture control every render target is made of: it draws its picture
// stretched to its own bounds (or centred at natural size when stretching
// is off), and its geometry is set by the renderers from FitRectangle.
// An animated GIF picture plays in the control from its first paint until the
// picture is cleared or replaced or the control goes; each control plays its
// own copy, so a picture given to several controls animates in each. An
// animated picture of the image readers (WebP) plays its frames the same way.
#include <QWidget>
#include <memory>

#include "forms/picture/Picture.h"

namespace tossbox {

struct FitResult;
class FramePlayback;
class GifPlayback;

class PictureControl : public QWidget {
  Q_OBJECT
 public:
  explicit PictureControl(QWidget* parent = nullptr);
  ~PictureControl() override;

  // Setting the picture the control already shows keeps its animation running.
  void setPicture(const Picture& picture);
  void clearPicture();
  [[nodiscard]] const Picture& picture() const { return picture_; }
  // What the control draws now: the current frame of an animation, else the picture.
  [[nodiscard]] const QImage& shownImage() const;
  [[nodiscard]] bool isAnimating() const;

  void setStretch(bool on);
  void setCenter(bool on);

  // Height, Width, Top, Left in that order.
  void applyFit(int height, int width, int top, int left);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void stopAnimation();

  Picture picture_;
  std::unique_ptr<GifPlayback> playback_;
  std::unique_ptr<FramePlayback> frames_;
  bool stretch_ = true;
  bool center_ = false;
};

}  // namespace tossbox
