// Choosing folders in the folder selection dialog and making new ones with the new-folder
// dialog, in both of the dialog's modes.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <system_error>

#include "ProgramFixture.h"
#include "core/settings/SettingsRecord.h"
#include "forms/folderselect/NewFLD.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/list/UList.h"
#include "forms/tree/KtTreeView.h"
#include "forms/viewer/ULarge.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

const QString kQuestion = QStringLiteral("上記のフォルダを新規作成しますか？");

QString text(const std::string& path) {
  return QString::fromStdString(path);
}

}  // namespace

class FolderSelectTest : public ProgramTest {
 protected:
  TForm8& dialog() { return program->form8(); }
  TForm9& newFolder() { return program->form9(); }
  TKtTreeView& tree() { return dialog().ktTreeView1(); }
  QTreeWidgetItem* root() { return tree().topLevelItem(0); }
  QLineEdit& settingsEdit1() {
    return *program->folderSett().findChild<QLineEdit*>(QStringLiteral("Edit1"));
  }

  // The child of `node` shown as `caption`, opened first so that it has its children.
  QTreeWidgetItem* child(QTreeWidgetItem* node, const QString& caption) {
    tree().expandItem(node);
    for (int i = 0; i < node->childCount(); ++i)
      if (node->child(i)->text(0) == caption) return node->child(i);
    ADD_FAILURE() << "no node " << caption.toStdString();
    return nullptr;
  }
  void select(QTreeWidgetItem* node) { tree().setCurrentItem(node); }
  QTreeWidgetItem* opened(QTreeWidgetItem* node) {
    tree().expandItem(node);
    return node;
  }

  // Opens the dialog for the target of button `button`, as the folder button settings do.
  void openForTarget(int button, const std::string& shownPath) {
    program->state().currentButton = button;
    settingsEdit1().setText(text(shownPath));
    dialog().openFor(false);
  }
  void typePath(const std::string& path) { dialog().edit1().setText(text(path)); }
};

TEST_F(FolderSelectTest, FileMenuChoosesASourceFolderFromTheTreeAndLoadsIt) {
  touch(home.home() / "Photos" / "2001" / "a.jpg");
  touch(home.home() / "Photos" / "2001" / "b.txt");
  start();
  main().speedButton(3).setCheckable(true);
  main().speedButton(3).setChecked(true);
  main().action("N9").trigger();

  EXPECT_FALSE(main().speedButton(3).isChecked());
  ASSERT_TRUE(dialog().isVisible());
  EXPECT_TRUE(program->state().chooserForSource);
  EXPECT_FALSE(main().isEnabled());
  EXPECT_FALSE(program->form2().isEnabled());
  EXPECT_FALSE(program->form3().isEnabled());
  EXPECT_EQ(dialog().label1().text(), "振り分けしたいフォルダを選択して下さい");
  EXPECT_FALSE(dialog().image1().isVisible());
  EXPECT_FALSE(dialog().bitBtn(3).isVisible());
  EXPECT_TRUE(dialog().edit1().isReadOnly());
  EXPECT_TRUE(dialog().edit1().text().isEmpty());
  EXPECT_FALSE(dialog().bitBtn(2).isEnabled());
  ASSERT_EQ(tree().topLevelItemCount(), 1);
  EXPECT_TRUE(root()->isExpanded());

  // The computer has no path of its own: nothing to load.
  select(child(root(), QStringLiteral("コンピュータ")));
  EXPECT_TRUE(dialog().edit1().text().isEmpty());
  EXPECT_FALSE(dialog().bitBtn(2).isEnabled());

  const fs::path chosen = home.home() / "Photos" / "2001";
  select(child(child(root(), "Photos"), "2001"));
  EXPECT_EQ(dialog().edit1().text(), text(chosen.string()));
  EXPECT_TRUE(dialog().bitBtn(2).isEnabled());

  dialog().bitBtn(2).click();
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(main().isEnabled());
  EXPECT_TRUE(program->form2().isEnabled());
  EXPECT_TRUE(program->form3().isEnabled());
  const SortList& list = program->state().files.sortList();
  ASSERT_EQ(list.size(), 2u);
  for (std::size_t n = 0; n < list.size(); ++n)
    EXPECT_EQ(fs::path(list.path(n)).parent_path(), chosen);
  EXPECT_EQ(main().staticText1().text(), "1/2");
}

TEST_F(FolderSelectTest, EveryOpeningStartsFromAFreshCollapsedTree) {
  const fs::path photos = home.home() / "Photos";
  fs::create_directories(photos / "first");
  start();
  // A click on the empty preview opens the dialog for the source.
  main().Image1MouseDown(Qt::LeftButton);
  ASSERT_TRUE(dialog().isVisible());
  EXPECT_TRUE(program->state().chooserForSource);
  QTreeWidgetItem* folder = opened(child(root(), "Photos"));
  EXPECT_EQ(folder->childCount(), 1);
  // Read once: a folder made now shows only after the dialog is opened again.
  fs::create_directories(photos / "second");
  tree().collapseItem(folder);
  tree().expandItem(folder);
  EXPECT_EQ(folder->childCount(), 1);

  dialog().bitBtn(1).click();
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(main().isEnabled());
  EXPECT_TRUE(program->state().files.sortList().empty());

  main().action("N9").trigger();
  ASSERT_EQ(tree().topLevelItemCount(), 1);
  EXPECT_TRUE(root()->isExpanded());
  for (int i = 0; i < root()->childCount(); ++i) {
    EXPECT_FALSE(root()->child(i)->isExpanded());
    EXPECT_EQ(root()->child(i)->childCount(), 0);
  }
  EXPECT_EQ(opened(child(root(), "Photos"))->childCount(), 2);
  EXPECT_TRUE(dialog().edit1().text().isEmpty());
}

TEST_F(FolderSelectTest, TargetModeShowsTheButtonsFolderAndAssignsWhateverIsChosen) {
  const fs::path existing = home.makeDir("targets");
  start();
  program->folderSett().show();
  program->folderSett().setEnabled(false);
  openForTarget(3, existing.string());
  ASSERT_TRUE(dialog().isVisible());
  EXPECT_FALSE(main().isEnabled());
  EXPECT_EQ(dialog().label1().text(), "     のフォルダを選択して下さい");
  EXPECT_TRUE(dialog().image1().isVisible());
  EXPECT_TRUE(dialog().bitBtn(3).isVisible());
  EXPECT_FALSE(dialog().edit1().isReadOnly());
  EXPECT_EQ(dialog().edit1().text(), text(existing.string()));
  EXPECT_TRUE(dialog().bitBtn(2).isEnabled());

  // An existing folder is taken without a question; the settings dialog is enabled again and
  // keeps the other windows disabled until it closes itself.
  dialog().bitBtn(2).click();
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(program->state().settings.target(3).FolderPath, existing.string());
  EXPECT_EQ(settingsEdit1().text(), text(existing.string()));
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(program->folderSett().isEnabled());
  EXPECT_FALSE(main().isEnabled());
  program->folderSett().hide();

  // No: nothing is made, the path is assigned all the same.
  const fs::path missing = existing / "new" / "deeper";
  openForTarget(3, existing.string());
  typePath(missing.string());
  answer = BoxAnswer::No;
  dialog().bitBtn(2).click();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "\"" + text(missing.string()) + "\"\r\r" + kQuestion);
  EXPECT_EQ(boxes.shown()[0].buttons, BoxButtons::YesNo);
  EXPECT_FALSE(fs::exists(missing.parent_path()));
  EXPECT_EQ(program->state().settings.target(3).FolderPath, missing.string());
  EXPECT_EQ(settingsEdit1().text(), text(missing.string()));
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(main().isEnabled());

  // Yes makes every missing level; blanks around a typed path are dropped.
  boxes.clearShown();
  openForTarget(5, "");
  typePath("  " + missing.string() + " \t");
  answer = BoxAnswer::Yes;
  dialog().bitBtn(2).click();
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(fs::is_directory(missing));
  EXPECT_EQ(program->state().settings.target(5).FolderPath, missing.string());

  // Emptied: the button loses its target, no question asked.
  boxes.clearShown();
  openForTarget(5, missing.string());
  typePath("   ");
  dialog().bitBtn(2).click();
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_TRUE(program->state().settings.target(5).FolderPath.empty());
  EXPECT_TRUE(settingsEdit1().text().isEmpty());
  EXPECT_EQ(program->state().settings.target(3).FolderPath, missing.string());
}

TEST_F(FolderSelectTest, TargetModeFollowsTheTreeAndKeepsTheBytesOfAStoredPath) {
  const fs::path base = home.makeDir("bytes");
  const std::string latin1 = (base / "caf\xe9").string();
  fs::create_directories(latin1);
  fs::create_directories(home.home() / "Music");
  start();
  program->state().currentButton = 2;
  program->state().settings.target(2).FolderPath = latin1;
  program->settingsBinding().LoadSettingsToControls();
  dialog().openFor(false);
  dialog().bitBtn(2).click();
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(program->state().settings.target(2).FolderPath, latin1);

  openForTarget(2, latin1);
  select(child(root(), QStringLiteral("コンピュータ")));
  EXPECT_FALSE(dialog().bitBtn(2).isEnabled());
  EXPECT_TRUE(dialog().edit1().text().isEmpty());
  select(child(root(), "Music"));
  EXPECT_TRUE(dialog().bitBtn(2).isEnabled());
  dialog().bitBtn(2).click();
  EXPECT_EQ(program->state().settings.target(2).FolderPath, (home.home() / "Music").string());
}

TEST_F(FolderSelectTest, AFolderThatCannotBeMadeIsReportedAndTheDialogStaysOpen) {
  const fs::path base = home.makeDir("blocked");
  touch(base / "file");
  const fs::path impossible = base / "file" / "sub";
  start();
  openForTarget(4, "");
  typePath(impossible.string());
  answer = BoxAnswer::Yes;
  dialog().bitBtn(2).click();
  ASSERT_EQ(boxes.shown().size(), 2u);
  const BoxRequest& error = boxes.shown()[1];
  EXPECT_EQ(error.icon, BoxIcon::Error);
  EXPECT_TRUE(error.text.contains(text(impossible.string())));
  const QString reason =
      QString::fromLocal8Bit(std::make_error_code(std::errc::not_a_directory).message());
  EXPECT_TRUE(error.text.contains(reason)) << error.text.toStdString();
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_TRUE(program->state().settings.target(4).FolderPath.empty());
  EXPECT_TRUE(settingsEdit1().text().isEmpty());

  // A relative path would be made wherever the program was started.
  boxes.clearShown();
  typePath("relative/folder");
  dialog().bitBtn(2).click();
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].icon, BoxIcon::Error);
  EXPECT_FALSE(fs::exists("relative"));
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_TRUE(program->state().settings.target(4).FolderPath.empty());
}

TEST_F(FolderSelectTest, NewFolderDialogMakesTheFolderBelowTheChosenOne) {
  const fs::path base = home.home() / "Sorted";
  fs::create_directories(base / "kept");
  start();
  openForTarget(1, base.string());
  dialog().bitBtn(3).click();
  ASSERT_TRUE(newFolder().isVisible());
  EXPECT_FALSE(dialog().isEnabled());
  EXPECT_EQ(newFolder().bitBtn(2).text(), "作 成");

  // An empty name keeps the dialog open and asks nothing.
  newFolder().edit1().setText("   ");
  newFolder().bitBtn(2).click();
  EXPECT_TRUE(newFolder().isVisible());
  EXPECT_TRUE(boxes.shown().empty());

  // A name that exists already just closes it.
  newFolder().edit1().setText("kept");
  newFolder().bitBtn(2).click();
  EXPECT_FALSE(newFolder().isVisible());
  EXPECT_TRUE(dialog().isEnabled());
  EXPECT_EQ(dialog().edit1().text(), text(base.string()));

  // A new one, with a level between, is made; its path stays in Edit1 over the reloaded tree.
  select(child(child(root(), "Sorted"), "kept"));
  dialog().bitBtn(3).click();
  newFolder().edit1().setText(" 2024/june ");
  newFolder().bitBtn(2).click();
  const fs::path made = base / "kept" / "2024" / "june";
  EXPECT_TRUE(fs::is_directory(made));
  EXPECT_FALSE(newFolder().isVisible());
  EXPECT_TRUE(dialog().isEnabled());
  EXPECT_EQ(dialog().edit1().text(), text(made.string()));
  EXPECT_EQ(root()->child(0)->childCount(), 0);
  EXPECT_TRUE(tree().selectedItems().isEmpty());
  dialog().bitBtn(2).click();
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(program->state().settings.target(1).FolderPath, made.string());

  // Below a plain file nothing can be made: the reason is shown, both dialogs stay as they were.
  touch(base / "plain");
  openForTarget(1, (base / "plain").string());
  dialog().bitBtn(3).click();
  newFolder().edit1().setText("inside");
  newFolder().bitBtn(2).click();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].icon, BoxIcon::Error);
  EXPECT_TRUE(newFolder().isVisible());
  EXPECT_EQ(dialog().edit1().text(), text((base / "plain").string()));
  newFolder().bitBtn(1).click();
  EXPECT_FALSE(newFolder().isVisible());
  EXPECT_TRUE(dialog().isEnabled());
}
