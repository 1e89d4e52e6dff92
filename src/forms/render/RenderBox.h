#pragma once
// How big and how carefully a file is shown in one picture control.

namespace tossbox {

// The box the picture is fitted into, in pixels.
struct RenderBox {
  int height = 0;
  int width = 0;
};

// On for the preview and the other small targets, which may trade quality for speed; off for
// the enlarged viewer. The numbers are those the renderers compare with.
// The main window's preview while stepping through the files.
inline constexpr RenderBox kPreviewBox{140, 181};

enum class FastDecode : int { Off = 0, On = 1 };

}  // namespace tossbox
