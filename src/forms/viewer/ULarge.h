#pragma once
// The enlarged viewer: the file on show at natural size or fitted to the screen.
#include "forms/common/ProgramWindow.h"

namespace tossbox {

// The viewer's menu marks.
struct ViewerFlags {
  bool closesOnDoubleClick = false;  // Close1; otherwise N1 switches the display
  bool fullScreen = false;           // N2
  bool alwaysCentre = false;         // N8
};

class TForm3 : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TForm3(Program& program);

  [[nodiscard]] ViewerFlags viewerFlags() const;
  void setViewerFlags(const ViewerFlags& flags);

 private:
  QAction* close1_ = nullptr;
  QAction* n1_ = nullptr;
  QAction* n2_ = nullptr;
  QAction* n8_ = nullptr;
};

}  // namespace tossbox
