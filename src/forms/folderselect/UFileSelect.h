#pragma once
// The folder selection dialog. It chooses either the source folder whose files are loaded for
// sorting, or the target folder of the folder button being set up, as ChooserForSource says
// when it opens. It is modeless but behaves as modal: while it is shown the windows behind it
// are disabled, and it enables them again when it closes.
//
// Edit1 holds a path. A path shown there keeps its exact bytes for as long as the text is not
// changed, so a folder whose name is not UTF-8 is still chosen as the file system named it.
#include <memory>
#include <string>

#include "forms/common/ProgramWindow.h"

namespace Ui {
class TForm8;
}
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

namespace tossbox {

class TKtTreeView;

class TForm8 : public ProgramWindow {
  Q_OBJECT
 public:
  explicit TForm8(Program& program);
  ~TForm8() override;

  // Opens the dialog to choose the source folder (true) or the target of the folder button
  // CurrentButton (false). Its openers are the main window's file menu and empty preview, and
  // the browse button of the folder button settings, which disables itself before.
  void openFor(bool chooserForSource);

  // The path in Edit1: the bytes last put there while its text is unchanged, else its text.
  [[nodiscard]] std::string editPath() const;
  void setEditPath(const std::string& path);
  // Every showing and every new folder start again from the collapsed desktop level.
  void reloadTree();

  [[nodiscard]] TKtTreeView& ktTreeView1() const;
  [[nodiscard]] QLineEdit& edit1() const;
  [[nodiscard]] QLabel& label1() const;
  [[nodiscard]] QLabel& image1() const;
  // 1 Cancel, 2 OK ("決 定"), 3 new folder ("新 規").
  [[nodiscard]] QPushButton& bitBtn(int number) const;

 public slots:
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void KtTreeViewChange(QTreeWidgetItem* node);

 private:
  void FormShow() override;
  void FormClose() override;
  void chooseSource();
  void chooseTarget();
  void showButtonGlyph();
  // The folder button settings' Edit1, as bytes (see fromEdit in the settings binding).
  [[nodiscard]] std::string folderSettPath();
  void setFolderSettPath(const std::string& path);

  std::unique_ptr<Ui::TForm8> ui_;
  std::string editBytes_;
};

}  // namespace tossbox
