// The list window: its frame and controls, clicks and dragging in the list, the double-click,
// its menu and its close button.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSplitter>

#include "SortingFixture.h"
#include "platform/settings/SettingsStore.h"

using namespace tossbox;
namespace fs = std::filesystem;

class ListWindowTest : public SortingTest {
 protected:
  TForm2& window() { return program->form2(); }
  QPoint lineCentre(int row) { return list().visualRect(list().model()->index(row, 0)).center(); }
  void openWindow() {
    main().speedButton(2).setChecked(true);
    main().SpeedButton2Click();
  }
};

TEST_F(ListWindowTest, ItsControlsStandInTheirPlaces) {
  start();
  openWindow();
  ASSERT_TRUE(window().isVisible());
  EXPECT_TRUE(window().windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(window().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window().size(), QSize(166 + 2 * TForm2::kFrame, 204 + 2 * TForm2::kFrame));
  EXPECT_EQ(window().panel1().text(), " 振分ﾌｧｲﾙ一覧");
  EXPECT_EQ(window().panel1().height(), 18);
  EXPECT_EQ(window().panel2().text(), " 動作履歴");
  EXPECT_EQ(window().panel2().height(), 16);
  EXPECT_EQ(list().height(), 138);
  EXPECT_EQ(window().findChild<QSplitter*>("Splitter1")->handleWidth(), 4);
  EXPECT_EQ(window().speedButton1().x(), window().panel1().width() - 18);
  window().resize(250, 300);
  EXPECT_EQ(window().speedButton1().x(), window().panel1().width() - 18);
  EXPECT_EQ(list().height(), 138);
  EXPECT_GT(historyBox().height(), 28);
}

TEST_F(ListWindowTest, ClicksAndDraggingShowEachLine) {
  startWith({"a.txt", "b.txt", "c.txt", "d.txt"});
  openWindow();
  QTest::mousePress(list().viewport(), Qt::LeftButton, {}, lineCentre(2));
  EXPECT_EQ(program->state().files.currentFile(), (in / "c.txt").string());
  EXPECT_EQ(main().staticText1().text(), "3/4");
  std::vector<std::string> shown;
  for (int row : {1, 0, 3}) {
    window().ListBox1MouseMove(Qt::LeftButton, lineCentre(row));
    shown.push_back(program->state().files.currentFile());
  }
  EXPECT_EQ(shown, (std::vector<std::string>{(in / "b.txt").string(), (in / "a.txt").string(),
                                             (in / "d.txt").string()}));
  QTest::mouseRelease(list().viewport(), Qt::LeftButton, {}, lineCentre(3));
  window().ListBox1MouseMove(Qt::LeftButton, lineCentre(0));
  EXPECT_EQ(program->state().files.currentFile(), (in / "d.txt").string());
  // A key that moves the selection moves the file on show with it.
  QTest::keyClick(&list(), Qt::Key_Up);
  QApplication::processEvents();
  EXPECT_EQ(list().selectedIndex(), 2);
  EXPECT_EQ(program->state().files.currentFile(), (in / "c.txt").string());

  // A right press neither selects nor shows, and below the last line the sort is disabled.
  QTest::mousePress(list().viewport(), Qt::RightButton, {}, lineCentre(1));
  EXPECT_EQ(list().selectedIndex(), 2);
  EXPECT_TRUE(window().action("N10").isEnabled());
  window().ListBox1MouseDown(Qt::RightButton, QPoint(5, list().viewport()->height() - 2));
  EXPECT_FALSE(window().action("N10").isEnabled());
  EXPECT_TRUE(window().action("N7").isEnabled());
  window().action("N7").trigger();
  EXPECT_EQ(list().count(), 0);
  window().ListBox1MouseDown(Qt::RightButton, QPoint(5, 5));
  EXPECT_FALSE(window().action("N7").isEnabled());
}

TEST_F(ListWindowTest, DoubleClickOpensTheFolderOrTheFile) {
  startWith({"a b.txt", "c.txt"});
  openWindow();
  QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, lineCentre(1));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(in.string())));

  window().action("N4").trigger();
  EXPECT_TRUE(window().action("N4").isChecked());
  EXPECT_FALSE(window().action("N3").isChecked());
  EXPECT_EQ(program->state().settings.ListDblClickAction, 2);
  EXPECT_TRUE(fs::exists(storeFile()));
  QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, lineCentre(0));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1], QUrl::fromLocalFile(QString::fromStdString((in / "a b.txt").string())));
  window().action("N3").trigger();
  EXPECT_EQ(program->state().settings.ListDblClickAction, 1);
}

TEST_F(ListWindowTest, SortingAscendingAndBack) {
  startWith({"b.jpg", "a.jpg", "c.jpg"});
  list().setSelectedIndex(1);
  main().ShowCurrent();
  window().action("N10").trigger();
  EXPECT_TRUE(window().action("N10").isChecked());
  ASSERT_EQ(list().count(), 3);
  EXPECT_EQ(list().itemText(0), std::string("a.jpg\t000000001"));
  EXPECT_EQ(list().itemText(1), std::string("b.jpg\t000000000"));
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_EQ(program->state().files.currentFile(), (in / "b.jpg").string());
  EXPECT_EQ(program->state().settings.ListSortAscending, 1);

  window().action("N10").trigger();
  EXPECT_FALSE(window().action("N10").isChecked());
  EXPECT_EQ(list().itemText(0), std::string("b.jpg\t000000000"));
  EXPECT_EQ(program->state().files.currentFile(), (in / "a.jpg").string());
  EXPECT_EQ(program->state().settings.ListSortAscending, 0);
  // A folder button's settings are not touched by the list's options.
  EXPECT_TRUE(program->state().settings.target(2).FolderPath.empty());
}

TEST_F(ListWindowTest, TheCloseButtonRemembersTheLine) {
  startWith({"a.txt", "b.txt", "c.txt"});
  setButton(1, home.root() / "copies");
  press(1);
  press(1);
  openWindow();
  EXPECT_EQ(historyBox().currentRow(), 1);
  QTest::mousePress(list().viewport(), Qt::LeftButton, {}, lineCentre(1));
  QTest::mouseRelease(list().viewport(), Qt::LeftButton, {}, lineCentre(1));
  historyBox().setCurrentRow(0);
  window().speedButton1().click();
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(main().speedButton(2).isChecked());
  EXPECT_TRUE(sameImage(main().speedButton(2).icon(), program->art().imageList3(2)));
  EXPECT_EQ(program->state().rememberedListPosition, 1);

  list().setSelectedIndex(2);
  openWindow();
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_EQ(historyBox().currentRow(), 1);
}

TEST_F(ListWindowTest, TheCaptionPanelsMoveTheWindow) {
  start();
  openWindow();
  window().move(300, 200);
  const QPoint before = window().pos();
  QTest::mousePress(&window().panel2(), Qt::LeftButton, {}, QPoint(10, 5));
  QTest::mouseMove(&window().panel2(), QPoint(20, 8));
  QTest::mouseMove(&window().panel2(), QPoint(40, 18));
  QTest::mouseRelease(&window().panel2(), Qt::LeftButton, {}, QPoint(40, 18));
  EXPECT_NE(window().pos(), before);
}
