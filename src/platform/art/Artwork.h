#pragma once
// The program's pictures: the two image lists, the button glyphs, the seven custom pointers,
// the title picture, the program icon and the find-folder animation. They are SVG files
// (compiled in under ":/" by resources/), drawn once at their exact pixel sizes and kept by
// the Artwork object that drew them (a QGuiApplication must exist). A missing file gives a
// null picture and a warning.
#include <QCursor>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <optional>

namespace tossbox {

// Glyphs of the buttons that do not take theirs from an image list.
enum class Glyph {
  FileMenuUp,  // SpeedButton3: up, disabled, pressed, down (menu open)
  FileMenuDisabled,
  FileMenuPressed,
  FileMenuDown,
  Exit,       // SpeedButton4
  Help,       // SpeedButton7
  NewFolder,  // BitBtn3: enabled, disabled
  NewFolderDisabled,
};

// The pictures of ImageList3 by the button state each shows.
namespace ButtonImage {
enum : int {
  EnlargeUp = 0,  // SpeedButton1
  EnlargeDown = 1,
  ListClosed = 2,  // SpeedButton2
  ListOpen = 3,
  TrashAtRest = 4,  // SpeedButton5
  TrashPressed = 5,
  UndoAtRest = 6,  // SpeedButton6
  UndoPressed = 7,
  NothingToUndo = 8,
};
}  // namespace ButtonImage

// The custom pointer numbers cursor() takes.
namespace Pointer {
enum : int {
  Arrow = 0,
  Picture = 1,      // over the picture area while there are files
  StepForward = 2,  // after a left click on the picture
  StepBack = 3,     // after a right click on the picture
  Spare = 4,        // drawn and registered, used by no window
  UnsetFolder = 5,  // folder button without a folder
  CopyToFolder = 6,
  MoveToFolder = 7,
};
}  // namespace Pointer

class Artwork {
 public:
  static constexpr int kImageList1Count = 17;
  static constexpr QSize kImageList1Size{54, 54};
  static constexpr int kImageList3Count = 9;
  static constexpr QSize kImageList3Size{14, 14};
  static constexpr QSize kGlyphSize{16, 16};
  static constexpr int kCursorCount = 7;  // custom pointer numbers 1..7; 0 is the arrow
  static constexpr QSize kCursorSize{32, 32};
  static constexpr QSize kTitleSize{82, 20};
  static constexpr std::array<int, 3> kIconSizes{16, 32, 48};
  static constexpr QSize kAnimationSize{183, 142};
  static constexpr int kAnimationFrameCount = 16;
  static constexpr int kAnimationFrameMs = 100;

  // root: the folder holding the artwork, ":/" for the compiled-in files.
  explicit Artwork(QString root = QStringLiteral(":/"));

  // Null outside 0..16.
  [[nodiscard]] QPixmap imageList1(int n) const;
  // Null outside 0..8.
  [[nodiscard]] QPixmap imageList3(int n) const;
  [[nodiscard]] QPixmap glyph(Glyph g) const;
  // Custom pointer 1..7 (IMGCUR1, IMGCUR2, IMGCUR3, IMGCUR4, FLDCUR1, FLDCOPY, FLDMOVE) with
  // its hot spot; any other number gives the arrow.
  [[nodiscard]] QCursor cursor(int number) const;
  // The resource name of pointer 1..7, empty otherwise.
  [[nodiscard]] static QString cursorName(int number);
  [[nodiscard]] static QPoint cursorHotSpot(int number);
  // 16, 32 and 48 pixels, each drawn for its size.
  [[nodiscard]] QIcon programIcon() const;
  [[nodiscard]] QPixmap titlePicture() const;
  // The animated GIF of the find-folder animation, for a QMovie.
  [[nodiscard]] QString animationPath() const;
  // The same animation as single pictures, kAnimationFrameMs apart.
  [[nodiscard]] QList<QPixmap> animationFrames() const;

 private:
  [[nodiscard]] QPixmap picture(const QString& relativePath, QSize size) const;

  QString root_;
  mutable QHash<QString, QPixmap> pictures_;
  mutable std::array<std::optional<QCursor>, kCursorCount> cursors_;
};

}  // namespace tossbox
