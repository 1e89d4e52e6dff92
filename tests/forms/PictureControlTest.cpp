#include "forms/picture/PictureControl.h"

#include <gtest/gtest.h>

#include <QImage>

using tossbox::Picture;
using tossbox::PictureControl;

namespace {

// Left half red, right half blue.
QImage halves(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::blue);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width / 2; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
  }
  return image;
}

QImage painted(PictureControl& control) {
  QImage screen(control.size(), QImage::Format_RGB32);
  screen.fill(Qt::black);
  control.render(&screen, QPoint(), QRegion(), QWidget::DrawChildren);
  return screen;
}

}  // namespace

TEST(PictureControl, StretchesOrCentresItsPicture) {
  PictureControl control;
  control.applyFit(40, 80, 3, 4);
  EXPECT_EQ(control.geometry(), QRect(4, 3, 80, 40));
  control.setPicture(Picture(halves(8, 4)));

  // Stretched to its bounds: the halves fill the whole control.
  QImage screen = painted(control);
  EXPECT_EQ(screen.pixel(2, 2), qRgb(255, 0, 0));
  EXPECT_EQ(screen.pixel(30, 37), qRgb(255, 0, 0));
  EXPECT_EQ(screen.pixel(50, 2), qRgb(0, 0, 255));
  EXPECT_EQ(screen.pixel(78, 38), qRgb(0, 0, 255));

  // Not stretched but centred: natural size in the middle.
  control.setStretch(false);
  control.setCenter(true);
  screen = painted(control);
  EXPECT_EQ(screen.pixel(37, 19), qRgb(255, 0, 0));
  EXPECT_EQ(screen.pixel(42, 19), qRgb(0, 0, 255));
  EXPECT_EQ(screen.pixel(10, 19), qRgb(0, 0, 0));

  // An empty picture draws nothing.
  control.clearPicture();
  EXPECT_TRUE(control.picture().isNull());
  EXPECT_EQ(painted(control).pixel(40, 20), qRgb(0, 0, 0));
}

TEST(PictureControl, CopiesSharePixelsAndSource) {
  struct Bytes : Picture::Source {};
  const auto source = std::make_shared<const Bytes>();
  PictureControl preview;
  PictureControl viewer;
  preview.setPicture(Picture(halves(6, 6), source));
  viewer.setPicture(preview.picture());
  EXPECT_EQ(viewer.picture().image().cacheKey(), preview.picture().image().cacheKey());
  EXPECT_EQ(viewer.picture().source(), source);
  preview.clearPicture();
  EXPECT_FALSE(viewer.picture().isNull());
}
