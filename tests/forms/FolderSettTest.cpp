// The folder button settings: what "適用" refuses, where the focus goes, what it stores and
// which folders it makes.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "SortingFixture.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersettings/UFolderSett.h"
#include "platform/settings/SettingsStore.h"

using namespace tossbox;
namespace fs = std::filesystem;

class FolderSettTest : public SortingTest {
 protected:
  TFolderSett& dialog() { return program->folderSett(); }
  template <typename T>
  T& control(const char* name) {
    auto* found = dialog().findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  QLineEdit& edit(int n) { return control<QLineEdit>(("Edit" + std::to_string(n)).c_str()); }
  void apply() { control<QPushButton>("Button4").click(); }
  // Opens the dialog the way a user does: a press on the unset button.
  void openFor(int n) {
    press(n);
    ASSERT_TRUE(dialog().isVisible());
  }
  // Whether the store file holds `folder` among the buttons' folders.
  bool stored(const fs::path& folder) {
    const SettingsStore store(storeFile());
    const auto loaded = store.load();
    if (!loaded.key) return false;
    const RegistryValue* value = loaded.key->find("st1");
    return value != nullptr && value->data.find(folder.string()) != std::string::npos;
  }
};

TEST_F(FolderSettTest, TheRootAndABadSerialAreRefusedWithTheFocusOnTheirField) {
  start();
  openFor(1);
  EXPECT_EQ(control<QLabel>("Label1").text(), "ﾌｫﾙﾀﾞ名を指定してください。");
  EXPECT_EQ(dialog().focusWidget(), &edit(1));
  EXPECT_FALSE(edit(2).isEnabled());
  EXPECT_FALSE(edit(3).isEnabled());

  edit(1).setText("  /  ");
  apply();
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(dialog().focusWidget(), &edit(1));
  EXPECT_TRUE(program->state().settings.target(1).FolderPath.empty());
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_FALSE(fs::exists(storeFile()));

  const fs::path folder = home.makeDir("photos");
  edit(1).setText(QString::fromStdString(folder.string()));
  control<QCheckBox>("CheckBox1").click();
  EXPECT_TRUE(edit(2).isEnabled());
  EXPECT_EQ(dialog().focusWidget(), &edit(2));
  edit(2).setText("img");
  edit(3).setText("00a");
  apply();
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(dialog().focusWidget(), &edit(3));
  EXPECT_TRUE(program->state().settings.target(1).FolderPath.empty());
  EXPECT_TRUE(boxes.shown().empty());

  edit(3).setText("009");
  apply();
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(main().isEnabled());
  const FolderTarget& target = program->state().settings.target(1);
  EXPECT_EQ(target.FolderPath, folder.string());
  EXPECT_EQ(target.SerialRename, 1);
  EXPECT_EQ(target.SerialPrefix, "img");
  EXPECT_EQ(target.SerialNumber, "009");
  EXPECT_EQ(main().folderButton(1).text(), "photos");
  EXPECT_TRUE(stored(folder));
}

TEST_F(FolderSettTest, AnEmptyPrefixOrSerialKeepsTheDialogOpenAfterStoring) {
  start();
  const fs::path folder = home.makeDir("cats");
  openFor(2);
  edit(1).setText(QString::fromStdString(folder.string()));
  control<QCheckBox>("CheckBox1").click();
  edit(3).setText("1");
  apply();
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(dialog().focusWidget(), &edit(2));
  EXPECT_EQ(program->state().settings.target(2).FolderPath, folder.string());
  EXPECT_EQ(program->state().settings.target(2).SerialNumber, "1");

  edit(2).setText("cat");
  edit(3).clear();
  apply();
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(dialog().focusWidget(), &edit(3));
  edit(3).setText("7");
  apply();
  EXPECT_FALSE(dialog().isVisible());

  // Opened again: the check box and the enabled fields follow the stored button, and the
  // apply button is the active control since there is a folder.
  main().N1Click();
  EXPECT_TRUE(control<QCheckBox>("CheckBox1").isChecked());
  EXPECT_TRUE(edit(2).isEnabled());
  EXPECT_EQ(edit(2).text(), "cat");
  EXPECT_EQ(dialog().focusWidget(), &control<QPushButton>("Button4"));
  control<QCheckBox>("CheckBox1").click();
  EXPECT_FALSE(edit(3).isEnabled());
  // "ｷｬﾝｾﾙ" stores nothing that was typed.
  edit(1).setText("/somewhere/else");
  control<QRadioButton>("RadioButton3").setChecked(true);
  control<QPushButton>("Button3").click();
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(main().isEnabled());
  EXPECT_EQ(program->state().settings.target(2).FolderPath, folder.string());
  EXPECT_EQ(program->state().settings.target(2).SerialRename, 1);
  EXPECT_NE(program->state().settings.target(2).SameNamePolicy, 3);
}

TEST_F(FolderSettTest, AMissingFolderIsOfferedAndStoredEitherWay) {
  start();
  const fs::path wanted = home.root() / "new one" / "with parents";
  openFor(3);
  answer = BoxAnswer::Yes;
  edit(1).setText(" " + QString::fromStdString(wanted.string()) + "\t");
  apply();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "\"" + QString::fromStdString(wanted.string()) +
                                       "\"\r\r上記のフォルダを新規作成しますか？");
  EXPECT_EQ(boxes.shown()[0].buttons, BoxButtons::YesNo);
  EXPECT_TRUE(fs::is_directory(wanted));
  EXPECT_EQ(program->state().settings.target(3).FolderPath, wanted.string());
  EXPECT_EQ(main().folderButton(3).text(), "with parents");
  EXPECT_FALSE(dialog().isVisible());

  const fs::path declined = home.root() / "Photos";
  press(3, Qt::RightButton);
  main().N1Click();
  EXPECT_EQ(edit(1).text().toStdString(), wanted.string());
  answer = BoxAnswer::No;
  edit(1).setText(QString::fromStdString(declined.string()));
  apply();
  EXPECT_FALSE(fs::exists(declined));
  EXPECT_EQ(program->state().settings.target(3).FolderPath, declined.string());
  EXPECT_EQ(main().folderButton(3).text(), "Photos");
  EXPECT_TRUE(stored(declined));

  // A file standing where the folder should be: the reason is shown and nothing is stored.
  touch(home.root() / "taken");
  main().N1Click();
  answer = BoxAnswer::Yes;
  boxes.clearShown();
  edit(1).setText(QString::fromStdString((home.root() / "taken" / "sub").string()));
  apply();
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].icon, BoxIcon::Error);
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(program->state().settings.target(3).FolderPath, declined.string());

  // An empty path unsets the button.
  edit(1).clear();
  apply();
  EXPECT_TRUE(program->state().settings.target(3).FolderPath.empty());
  EXPECT_TRUE(main().folderButton(3).text().isEmpty());
}

TEST_F(FolderSettTest, BrowsingHandsOverToTheFolderDialog) {
  start();
  openFor(5);
  control<QPushButton>("Button1").click();
  EXPECT_FALSE(program->state().chooserForSource);
  EXPECT_TRUE(program->form8().isVisible());
  EXPECT_FALSE(dialog().isEnabled());
}

// What was ticked before "ｷｬﾝｾﾙ", in this button's dialog or another's, never reaches the
// button when "コピー" or "移動" stores its mode.
TEST_F(FolderSettTest, TheCopyAndMoveItemsStoreOnlyTheButtonsOwnSettings) {
  startWith({"a.txt", "b.txt"});
  const fs::path moved = home.makeDir("moved");
  setButton(1, moved);
  setButton(2, home.makeDir("numbered"));
  FolderTarget& numbered = program->state().settings.target(2);
  numbered.SerialRename = 1;
  numbered.SerialPrefix = "n";
  numbered.SerialNumber = "1";

  press(1, Qt::RightButton);
  main().N1Click();
  control<QCheckBox>("CheckBox1").click();
  control<QPushButton>("Button3").click();
  press(1, Qt::RightButton);
  main().N3Click();
  EXPECT_FALSE(control<QCheckBox>("CheckBox1").isChecked());
  main().action("GoTo1").trigger();
  EXPECT_EQ(program->state().settings.target(1).MoveOnPress, 1);
  EXPECT_EQ(program->state().settings.target(1).SerialRename, 0);
  press(1);
  EXPECT_EQ(read(moved / "a.txt"), "bytes of a.txt");
  EXPECT_FALSE(fs::exists(in / "a.txt"));
  EXPECT_TRUE(boxes.shown().empty());

  // Button 2's dialog shows its own tick; cancelled, the tick stays with button 2 even when
  // "コピー" of button 1 is chosen without its submenu having been opened first.
  press(2, Qt::RightButton);
  main().N1Click();
  EXPECT_TRUE(control<QCheckBox>("CheckBox1").isChecked());
  control<QPushButton>("Button3").click();
  press(1, Qt::RightButton);
  main().action("Copy1").trigger();
  const FolderTarget& first = program->state().settings.target(1);
  EXPECT_EQ(first.MoveOnPress, 0);
  EXPECT_EQ(first.SerialRename, 0);
  EXPECT_EQ(first.FolderPath, moved.string());
  EXPECT_EQ(program->state().settings.target(2).SerialRename, 1);
}

namespace {

// Runs a test with its own working folder, where a relative path would land.
class WorkingFolder {
 public:
  explicit WorkingFolder(const fs::path& folder) : previous_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~WorkingFolder() { fs::current_path(previous_); }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  fs::path previous_;
};

}  // namespace

TEST_F(FolderSettTest, TypedFoldersStartAtHomeOrAtTheRoot) {
  const fs::path working = home.makeDir("working folder");
  const WorkingFolder inWorking(working);
  start();
  const fs::path userHome = home.home();
  answer = BoxAnswer::Yes;
  openFor(1);
  edit(1).setText("~/Pictures/");
  apply();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].buttons, BoxButtons::YesNo);
  EXPECT_TRUE(fs::is_directory(userHome / "Pictures"));
  EXPECT_EQ(program->state().settings.target(1).FolderPath, (userHome / "Pictures").string());
  EXPECT_EQ(main().folderButton(1).text(), "Pictures");
  EXPECT_FALSE(dialog().isVisible());

  // A relative folder is refused with the reason; nothing is made or stored.
  main().N1Click();
  boxes.clearShown();
  edit(1).setText("Photos");
  apply();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].icon, BoxIcon::Error);
  EXPECT_TRUE(boxes.shown()[0].text.contains("Photos"));
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(dialog().focusWidget(), &edit(1));
  EXPECT_EQ(program->state().settings.target(1).FolderPath, (userHome / "Pictures").string());
  EXPECT_TRUE(fs::is_empty(working));

  // A trailing "/" never leaves the caption empty.
  const fs::path albums = home.makeDir("albums");
  edit(1).setText(QString::fromStdString(albums.string()) + "//");
  apply();
  EXPECT_EQ(program->state().settings.target(1).FolderPath, albums.string());
  EXPECT_EQ(main().folderButton(1).text(), "albums");
}

TEST_F(FolderSettTest, ASerialPrefixWithASlashIsRefused) {
  start();
  const fs::path folder = home.makeDir("pets");
  openFor(4);
  edit(1).setText(QString::fromStdString(folder.string()));
  control<QCheckBox>("CheckBox1").click();
  edit(2).setText("../x");
  edit(3).setText("1");
  apply();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].icon, BoxIcon::Error);
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(dialog().focusWidget(), &edit(2));
  EXPECT_TRUE(program->state().settings.target(4).FolderPath.empty());
  EXPECT_EQ(program->state().settings.target(4).SerialRename, 0);

  edit(2).setText("..x");
  apply();
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_EQ(program->state().settings.target(4).SerialPrefix, "..x");
  EXPECT_EQ(program->state().settings.target(4).SerialRename, 1);
}
