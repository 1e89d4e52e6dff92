#pragma once
// The main window's side of collecting files: adding paths (folders are scanned on this thread
// while the window keeps repainting), the load sequence, the command-line paths and clearing
// the list. The window owns one and passes its controls in.
#include <QtGlobal>
#include <cstddef>
#include <string>
#include <vector>

#include "core/files/FolderScan.h"

namespace Ui {
class TForm1;
}
class QMovie;

namespace tossbox {

class MainNavigation;
class Program;
class TForm1;

class MainCollection {
 public:
  MainCollection(Program& program, TForm1& window, Ui::TForm1& ui, QMovie& findFolderMovie,
                 MainNavigation& navigation);
  MainCollection(const MainCollection&) = delete;
  MainCollection& operator=(const MainCollection&) = delete;

  void AddPath(const std::string& path);
  void LoadPaths(const std::vector<std::string>& paths);
  // The paths given on the command line, at the first showing.
  void loadCommandLine();
  void ClearList(bool fromMainMenu);
  // A running scan stops at its next look at the event queue: the window is closing.
  void stopScanning() { closing_ = true; }

  void N10Click();
  void N13Click();

 private:
  void addPathsWithAnimation(const std::vector<std::string>& paths);
  void flushScannedEntries();
  [[nodiscard]] ScanHooks scanHooks();

  Program& program_;
  TForm1& window_;
  Ui::TForm1& ui_;
  QMovie& findFolderMovie_;
  MainNavigation& navigation_;
  // Entries a running scan has added but ListBox1 does not hold yet.
  std::vector<std::size_t> scannedEntries_;
  qint64 lastScanRefresh_ = 0;
  bool closing_ = false;
};

}  // namespace tossbox
