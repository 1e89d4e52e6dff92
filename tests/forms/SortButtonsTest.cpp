// The folder buttons of the main window: a press sorts the file on show, writes the history
// and goes on; unset buttons open their settings; the menu and the pointer follow the button.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <chrono>

#include "SortingFixture.h"
#include "forms/foldersettings/UFolderSett.h"

using namespace tossbox;
namespace fs = std::filesystem;

TEST_F(SortingTest, PressesCopyAndMoveAndTheListGoesOn) {
  startWith({"a.txt", "b.txt", "c.txt"});
  const fs::path copies = home.root() / "copies";
  const fs::path moved = home.root() / "moved here" / "deeper";
  setButton(1, copies);
  setButton(2, moved, 1);
  std::vector<QImage> glyphsDuringPress;
  program->setPause([&](int ms) {
    EXPECT_EQ(ms, 100);
    glyphsDuringPress.push_back(
        main().folderButton(program->state().currentButton).icon().pixmap(54, 54).toImage());
  });

  press(1);
  EXPECT_EQ(read(copies / "a.txt"), "bytes of a.txt");
  EXPECT_EQ(read(in / "a.txt"), "bytes of a.txt");
  ASSERT_EQ(historyBox().count(), 1);
  EXPECT_EQ(historyLine(0).toStdString(), "\"a.txt\" を \"copies/a.txt\" にコピーしました。　(" +
                                              (in / "a.txt").string() + " => " +
                                              (copies / "a.txt").string() + ")");
  EXPECT_EQ(historyBox().currentRow(), 0);
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_EQ(program->state().rememberedListPosition, 1);
  EXPECT_EQ(program->state().files.currentFile(), (in / "b.txt").string());
  EXPECT_EQ(main().staticText1().text(), "2/3");
  EXPECT_EQ(status(), "b.txt");
  EXPECT_EQ(main().folderButton(1).text(), "copies");

  // A move into a folder that is not there yet: it is made with its parents.
  press(2);
  EXPECT_EQ(read(moved / "b.txt"), "bytes of b.txt");
  EXPECT_FALSE(fs::exists(in / "b.txt"));
  ASSERT_EQ(historyBox().count(), 2);
  EXPECT_TRUE(historyLine(1).startsWith("\"b.txt\" を \"deeper/b.txt\" に移動しました。  ("));
  EXPECT_EQ(historyBox().currentRow(), 1);
  EXPECT_EQ(list().selectedIndex(), 2);

  // The last entry: sorted, the selection stays and the entry is shown again.
  press(1);
  EXPECT_TRUE(fs::exists(copies / "c.txt"));
  EXPECT_EQ(list().selectedIndex(), 2);
  EXPECT_EQ(main().staticText1().text(), "3/3");
  EXPECT_EQ(historyBox().count(), 3);

  // The open folder while the file goes, then the button's own glyph again.
  ASSERT_EQ(glyphsDuringPress.size(), 3u);
  EXPECT_EQ(glyphsDuringPress[0], program->art().imageList1(7).toImage());
  EXPECT_EQ(glyphsDuringPress[1], program->art().imageList1(8).toImage());
  EXPECT_TRUE(sameImage(main().folderButton(1).icon(), program->art().imageList1(1)));
  EXPECT_TRUE(sameImage(main().folderButton(2).icon(), program->art().imageList1(2)));
  EXPECT_EQ(program->history().size(), 3u);
}

TEST_F(SortingTest, AnUnsetButtonOpensItsSettingsAndTouchesNothing) {
  startWith({"a.txt", "b.txt"});
  QImage glyphDuringPress;
  program->setPause(
      [&](int) { glyphDuringPress = main().folderButton(3).icon().pixmap(54, 54).toImage(); });
  press(3);
  EXPECT_EQ(program->state().currentButton, 3);
  EXPECT_FALSE(program->state().chooserForSource);
  EXPECT_TRUE(program->folderSett().isVisible());
  EXPECT_FALSE(main().isEnabled());
  EXPECT_EQ(glyphDuringPress, program->art().imageList1(13).toImage());
  EXPECT_EQ(status(), "表示したいﾌｫﾙﾀﾞを選択して下さい。");
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_TRUE(program->history().empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(in), fs::directory_iterator()), 2);

  // The disabled window takes no press while the dialog is open.
  const fs::path copies = home.root() / "copies";
  setButton(1, copies);
  press(1);
  EXPECT_FALSE(fs::exists(copies));
  program->folderSett().close();
  EXPECT_TRUE(main().isEnabled());
}

TEST_F(SortingTest, ASetButtonWithAnEmptyListOnlyFlashes) {
  start();
  const fs::path copies = home.root() / "copies";
  setButton(2, copies);
  QImage glyphDuringPress;
  program->setPause(
      [&](int) { glyphDuringPress = main().folderButton(2).icon().pixmap(54, 54).toImage(); });
  press(2);
  EXPECT_EQ(glyphDuringPress, program->art().imageList1(2).toImage());
  EXPECT_EQ(status(), "表示したいﾌｫﾙﾀﾞを選択して下さい。");
  EXPECT_FALSE(program->folderSett().isVisible());
  EXPECT_FALSE(fs::exists(copies));
}

TEST_F(SortingTest, RightButtonOnlySelectsAndTheMenuFollowsTheButton) {
  startWith({"a.txt", "b.txt", "c.txt"});
  const fs::path copies = home.root() / "copies with blanks";
  setButton(2, copies);
  press(2, Qt::RightButton);
  EXPECT_EQ(program->state().currentButton, 2);
  EXPECT_TRUE(main().action("N4").isEnabled());
  EXPECT_FALSE(fs::exists(copies));
  EXPECT_EQ(list().selectedIndex(), 0);
  press(4, Qt::RightButton);
  EXPECT_EQ(program->state().currentButton, 4);
  EXPECT_FALSE(main().action("N4").isEnabled());

  // "ﾌｫﾙﾀﾞを開く" hands the folder to the desktop as a URL, never to a shell.
  press(2, Qt::RightButton);
  main().action("N4").trigger();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(copies.string())));

  // The submenu shows the button's mode; choosing "移動" stores it and the next press moves.
  main().N3Click();
  EXPECT_TRUE(main().action("Copy1").isChecked());
  main().action("GoTo1").trigger();
  EXPECT_TRUE(main().action("GoTo1").isChecked());
  EXPECT_FALSE(main().action("Copy1").isChecked());
  EXPECT_EQ(program->state().settings.target(2).MoveOnPress, 1);
  EXPECT_EQ(program->state().settings.target(2).FolderPath, copies.string());
  EXPECT_TRUE(fs::exists(storeFile()));
  // The middle button acts like the left one.
  press(2, Qt::MiddleButton);
  EXPECT_FALSE(fs::exists(in / "a.txt"));
  EXPECT_TRUE(fs::exists(copies / "a.txt"));
  // "N1" opens the settings of the button last pressed.
  main().action("N1").trigger();
  EXPECT_TRUE(program->folderSett().isVisible());
  EXPECT_FALSE(program->state().chooserForSource);
}

TEST_F(SortingTest, PointerAndHintFollowTheButtonsMode) {
  start();
  setButton(2, home.root() / "c");
  setButton(3, home.root() / "m", 1);
  const auto shape = [this](int n) {
    QTest::mouseMove(&main().folderButton(n));
    return main().folderButton(n).cursor().pixmap().toImage();
  };
  EXPECT_EQ(shape(1), program->art().cursor(5).pixmap().toImage());
  EXPECT_EQ(main().folderButton(1).toolTip(), "ｸﾘｯｸしてﾌｫﾙﾀﾞを設定 (1)");
  EXPECT_EQ(shape(2), program->art().cursor(6).pixmap().toImage());
  EXPECT_EQ(main().folderButton(2).toolTip(), "ｺﾋﾟｰ先 (2)");
  EXPECT_EQ(shape(3), program->art().cursor(7).pixmap().toImage());
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->pixmap().toImage(),
            program->art().cursor(7).pixmap().toImage());
}

TEST_F(SortingTest, AFailedSortIsShownAndTheListStays) {
  startWith({"a.txt", "b.txt"});
  // The button's folder is the file's own folder: a copy onto itself must not happen.
  setButton(1, in, 0, 2);
  press(1);
  EXPECT_EQ(status(), "ｺﾋﾟｰできませんでした。");
  EXPECT_EQ(read(in / "a.txt"), "bytes of a.txt");
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_TRUE(program->history().empty());
  EXPECT_EQ(historyBox().count(), 0);

  setButton(1, in, 1, 2);
  press(1);
  EXPECT_EQ(status(), "移動できませんでした。");
  EXPECT_EQ(read(in / "a.txt"), "bytes of a.txt");

  // A folder path that names a file: the folder cannot be made.
  touch(home.root() / "plain file");
  setButton(1, home.root() / "plain file", 0, 1);
  press(1);
  EXPECT_EQ(status(), "ｺﾋﾟｰできませんでした。");
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_TRUE(program->history().empty());

  // A serial number that cannot advance stops the sort before any file is touched.
  const fs::path copies = home.root() / "copies";
  setButton(2, copies);
  program->state().settings.target(2).SerialRename = 1;
  program->state().settings.target(2).SerialNumber = "0a";
  boxes.clearShown();
  press(2);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].icon, BoxIcon::Error);
  EXPECT_TRUE(boxes.shown()[0].text.contains("連番"));
  EXPECT_FALSE(fs::exists(copies));
  EXPECT_EQ(program->state().settings.target(2).SerialNumber, "0a");
  EXPECT_EQ(list().selectedIndex(), 0);
}

TEST_F(SortingTest, OverwritingALongNameThatTheTrashCannotTakeChangesNothing) {
  const std::string name = std::string(246, 'n') + ".txt";
  startWith({name});
  const fs::path out = home.makeDir("sorted");
  touch(out / name, "older");
  for (const std::uint8_t move : {0, 1}) {
    SCOPED_TRACE(move);
    setButton(1, out, move, 2);
    const auto started = std::chrono::steady_clock::now();
    press(1);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(status(), move == 0 ? "ｺﾋﾟｰできませんでした。" : "移動できませんでした。");
    EXPECT_EQ(read(out / name), "older");
    EXPECT_EQ(read(in / name), "bytes of " + name);
    EXPECT_TRUE(program->history().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 1);
  }
}

TEST_F(SortingTest, SerialNamesAdvanceWithEveryPress) {
  startWith({"photo.TXT", "b.txt"});
  const fs::path copies = home.root() / "copies";
  setButton(1, copies);
  FolderTarget& target = program->state().settings.target(1);
  target.SerialRename = 1;
  target.SerialPrefix = "img";
  target.SerialNumber = "099";
  press(1);
  press(1);
  EXPECT_EQ(read(copies / "img099.TXT"), "bytes of photo.TXT");
  EXPECT_EQ(read(copies / "img100.txt"), "bytes of b.txt");
  EXPECT_EQ(target.SerialNumber, "101");
  EXPECT_TRUE(historyLine(0).contains(" に名前を変えコピーしました。"));
}

// A tick of auto-advance that falls into the visible wait of a press, the folder button's or its
// own, does not step: the file that comes next stays on show for the whole interval.
TEST_F(SortingTest, AutoAdvanceWaitsUntilThePressEnds) {
  startWith({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
  setButton(1, home.root() / "copies");
  int ticksDuringPress = 0;
  int remainingAtPressEnd = 0;
  program->setPause([&](int ms) {
    ++ticksDuringPress;
    main().Timer2Timer();
    QTest::qSleep(ms + 300);
    remainingAtPressEnd = main().timer2().remainingTime();
  });
  main().N8Click();
  ASSERT_TRUE(main().timer2().isActive());

  press(1);
  EXPECT_EQ(ticksDuringPress, 1);
  EXPECT_TRUE(fs::exists(home.root() / "copies" / "a.txt"));
  EXPECT_EQ(main().staticText1().text(), "2/5");
  EXPECT_EQ(program->state().files.currentFile(), (in / "b.txt").string());
  EXPECT_TRUE(main().timer2().isActive());
  EXPECT_EQ(main().timer2().interval(), 3000);
  // Counted again from the end of the press.
  EXPECT_GT(main().timer2().remainingTime(), remainingAtPressEnd);

  main().Timer2Timer();
  EXPECT_EQ(ticksDuringPress, 2);
  EXPECT_EQ(main().staticText1().text(), "3/5");
  EXPECT_TRUE(main().action("N8").isChecked());
  EXPECT_TRUE(main().timer2().isActive());
}
