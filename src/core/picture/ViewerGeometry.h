#pragma once
// Where the enlarged viewer stands and how big it is. A picture sits under the
// 16-pixel title strip and the window wraps it with its one-pixel border; a
// text list is 400 x 300 in the middle of the screen, or the whole screen.
// The screen is the area the viewer may cover, in desktop coordinates.

namespace tossbox {

struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ViewerRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const ViewerRect&, const ViewerRect&) = default;
};

struct ViewerPictureGeometry {
  ViewerRect image;   // inside the window's border
  ViewerRect window;  // in desktop coordinates
};

inline constexpr int kViewerTitleHeight = 16;  // the strip and the line under it
inline constexpr int kViewerBorder = 1;

// The picture control fitted to `imageWidth` x `imageHeight`; the window keeps its place
// (`left`, `top`) unless `centre` puts it in the middle of the screen, halves truncated toward
// zero.
[[nodiscard]] ViewerPictureGeometry viewerPictureGeometry(int imageWidth, int imageHeight,
                                                          const ScreenArea& screen, bool centre,
                                                          int left, int top);

// A window of this size in the middle of the screen, halves truncated toward zero.
[[nodiscard]] ViewerRect centredOnScreen(const ScreenArea& screen, int width, int height);

// The window listing a text: the whole screen with mode 1, else 400 x 300 centred.
[[nodiscard]] ViewerRect viewerTextGeometry(int mode, const ScreenArea& screen);

}  // namespace tossbox
