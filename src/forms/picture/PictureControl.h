#pragma once
// The picture control every render target is made of: it draws its picture
// stretched to its own bounds (or centred at natural size when stretching
// is off), and its geometry is set by the renderers from FitRectangle.
#include <QWidget>

#include "forms/picture/Picture.h"

namespace tossbox {

struct FitResult;

class PictureControl : public QWidget {
  Q_OBJECT
 public:
  explicit PictureControl(QWidget* parent = nullptr);

  void setPicture(const Picture& picture);
  void clearPicture();
  [[nodiscard]] const Picture& picture() const { return picture_; }

  void setStretch(bool on);
  void setCenter(bool on);

  // Height, Width, Top, Left in that order.
  void applyFit(int height, int width, int top, int left);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture picture_;
  bool stretch_ = true;
  bool center_ = false;
};

}  // namespace tossbox
