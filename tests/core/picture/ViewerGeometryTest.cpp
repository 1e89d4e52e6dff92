#include "core/picture/ViewerGeometry.h"

#include <gtest/gtest.h>

#include "core/picture/FitRectangle.h"

using namespace tossbox;

namespace {

constexpr ScreenArea kScreen{0, 0, 1024, 768};

ViewerPictureGeometry forPicture(int mode, int width, int height, bool centre,
                                 const ScreenArea& screen = kScreen) {
  const FitResult fit = FitRectangle(mode, width, screen.height, screen.width, height);
  return viewerPictureGeometry(fit.width, fit.height, screen, centre, 40, 50);
}

}  // namespace

TEST(ViewerGeometry, APictureUnderTheTitleStripInBothModes) {
  const ViewerPictureGeometry natural = forPicture(0, 300, 200, true);
  EXPECT_EQ(natural.image, (ViewerRect{0, 16, 300, 200}));
  EXPECT_EQ(natural.window, (ViewerRect{361, 275, 302, 218}));
  // Not centred: the window stays where it was.
  EXPECT_EQ(forPicture(0, 300, 200, false).window, (ViewerRect{40, 50, 302, 218}));

  const ViewerPictureGeometry full = forPicture(1, 300, 200, true);
  EXPECT_EQ(full.image, (ViewerRect{0, 16, 1024, 682}));
  EXPECT_EQ(full.window.width, 1026);
  EXPECT_EQ(full.window.height, 700);
  // Two pixels wider than the screen: the half of -2.
  EXPECT_EQ(full.window.left, -1);
  EXPECT_EQ(full.window.top, 34);
}

TEST(ViewerGeometry, APictureTallerThanTheScreenMakesTheWindow18PixelsTaller) {
  for (const int mode : {0, 1}) {
    const ViewerPictureGeometry tall = forPicture(mode, 500, 1500, true);
    EXPECT_EQ(tall.image.height, 768) << mode;
    EXPECT_EQ(tall.window.height, 786) << mode;
    // Halves truncate toward zero: -18 / 2.
    EXPECT_EQ(tall.window.top, -9) << mode;
  }
  // An odd overhang: -3 / 2 is -1, not -2.
  const ViewerPictureGeometry odd =
      viewerPictureGeometry(1025, 100, kScreen, true, 0, 0);  // window 1027 wide
  EXPECT_EQ(odd.window.left, -1);
}

TEST(ViewerGeometry, TheScreenOriginCountsForCentringAndText) {
  // A second monitor to the right, with a panel along its top.
  const ScreenArea right{1920, 30, 1280, 994};
  EXPECT_EQ(forPicture(0, 300, 200, true, right).window, (ViewerRect{2409, 418, 302, 218}));
  EXPECT_EQ(viewerTextGeometry(0, right), (ViewerRect{2360, 377, 400, 300}));
  EXPECT_EQ(viewerTextGeometry(1, right), (ViewerRect{1920, 30, 1280, 994}));
}
