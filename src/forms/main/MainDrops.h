#pragma once
// The main window as the target of files and folders dragged from a file manager. The control
// under the pointer decides what a drop means: on the preview the paths are loaded for sorting,
// a folder dropped on a folder button becomes that button's target, and anywhere else nothing
// happens. Also the file menu's folder selection. The window owns one and passes its events in.
#include <QString>
#include <string>
#include <vector>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;

namespace tossbox {

class MainCollection;
class Program;
class TForm1;

class MainDrops {
 public:
  MainDrops(Program& program, TForm1& window, MainCollection& collection)
      : program_(program), window_(window), collection_(collection) {}
  MainDrops(const MainDrops&) = delete;
  MainDrops& operator=(const MainDrops&) = delete;

  void dragEnter(QDragEnterEvent& event);
  void dragMove(QDragMoveEvent& event);
  void drop(QDropEvent& event);
  void N9Click();

 private:
  // Dropped paths, by the name of the control they were dropped on.
  void WMDropFiles(const std::vector<std::string>& paths, const QString& control);
  void DropOnFolderButton(int number, const std::string& path);

  Program& program_;
  TForm1& window_;
  MainCollection& collection_;
};

}  // namespace tossbox
