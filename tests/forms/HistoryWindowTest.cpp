// Delete and undo from the main window, and the history menu of the list window: undo, clear
// and the saved log.
#include <QAction>
#include <QDate>
#include <chrono>

#include "SortingFixture.h"
#include "core/text/AnsiText.h"

using namespace tossbox;
namespace fs = std::filesystem;

class HistoryWindowTest : public SortingTest {
 protected:
  void clickTool(int n) { QTest::mouseClick(&main().speedButton(n), Qt::LeftButton); }
  fs::path trashed(const std::string& name) { return home.dataHome() / "Trash" / "files" / name; }
  void rightPressHistory() {
    QTest::mousePress(historyBox().viewport(), Qt::RightButton, {},
                      historyBox().visualItemRect(historyBox().item(0)).center());
  }
};

TEST_F(HistoryWindowTest, DeleteThrowsIntoTheTrashAndGoesOn) {
  start();
  main().SpeedButton5Click();
  EXPECT_EQ(status(), "捨てるものがありません。");
  EXPECT_TRUE(program->history().empty());

  stop();
  startWith({"a.txt", "b.txt"});
  clickTool(5);
  EXPECT_FALSE(fs::exists(in / "a.txt"));
  EXPECT_EQ(read(trashed("a.txt")), "bytes of a.txt");
  ASSERT_EQ(historyBox().count(), 1);
  EXPECT_EQ(historyLine(0).toStdString(),
            "\"a.txt\" をゴミ箱へ捨てました。　 (" + (in / "a.txt").string() + ")");
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_TRUE(sameImage(main().speedButton(5).icon(), program->art().imageList3(4)));
  EXPECT_FALSE(main().speedButton(5).isDown());

  // Gone meanwhile: nothing is recorded, the failure is said and the list stays.
  fs::remove(in / "b.txt");
  clickTool(5);
  EXPECT_EQ(status(), "ゴミ箱へ捨てられませんでした。");
  EXPECT_EQ(program->history().size(), 1u);
  EXPECT_EQ(list().selectedIndex(), 1);
}

TEST_F(HistoryWindowTest, DeleteRefusesAFolderInThePlaceOfTheFileAndNamesTooLong) {
  startWith({"a.txt", "b.txt"});
  fs::remove(in / "a.txt");
  touch(in / "a.txt" / "inside.txt", "kept");
  clickTool(5);
  EXPECT_EQ(status(), "ゴミ箱へ捨てられませんでした。");
  EXPECT_EQ(read(in / "a.txt" / "inside.txt"), "kept");
  EXPECT_TRUE(program->history().empty());
  EXPECT_EQ(historyBox().count(), 0);
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_FALSE(fs::exists(trashed("a.txt")));

  // The trash's info file would not fit these names: refused at once, the file stays.
  for (const std::size_t length : {250u, 255u}) {
    SCOPED_TRACE(length);
    stop();
    const std::string name = std::string(length - 4, 'n') + ".txt";
    startWith({name});
    const auto started = std::chrono::steady_clock::now();
    clickTool(5);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(status(), "ゴミ箱へ捨てられませんでした。");
    EXPECT_EQ(read(in / name), "bytes of " + name);
    EXPECT_TRUE(program->history().empty());
  }
}

TEST_F(HistoryWindowTest, UndoWalksBackNewestFirst) {
  startWith({"a.txt", "b.txt", "c.txt"});
  clickTool(6);
  EXPECT_EQ(status(), "動作履歴がありません。");

  const fs::path copies = home.root() / "copies";
  const fs::path moved = home.root() / "moved";
  setButton(1, copies);
  setButton(2, moved, 1);
  press(1);  // a copied
  press(2);  // b moved
  press(1);  // c copied
  ASSERT_EQ(historyBox().count(), 3);

  QTest::mousePress(&main().speedButton(6), Qt::LeftButton);
  EXPECT_TRUE(sameImage(main().speedButton(6).icon(), program->art().imageList3(7)));
  QTest::mouseRelease(&main().speedButton(6), Qt::LeftButton);
  EXPECT_FALSE(fs::exists(copies / "c.txt"));
  EXPECT_EQ(read(in / "c.txt"), "bytes of c.txt");
  EXPECT_TRUE(historyLine(2).startsWith("[取消済] \"c.txt\""));
  EXPECT_EQ(status(), "元に戻しました。");
  EXPECT_EQ(historyBox().currentRow(), 1);
  EXPECT_TRUE(sameImage(main().speedButton(6).icon(), program->art().imageList3(6)));

  clickTool(6);
  EXPECT_EQ(read(in / "b.txt"), "bytes of b.txt");
  EXPECT_FALSE(fs::exists(moved / "b.txt"));
  EXPECT_TRUE(historyLine(1).startsWith("[取消済] "));
  EXPECT_EQ(status(), "元に戻しました。");
  EXPECT_EQ(historyBox().currentRow(), 0);

  // Through the history menu this time; the first line has no line above it.
  rightPressHistory();
  EXPECT_TRUE(program->form2().action("Undo1").isEnabled());
  program->form2().action("Undo1").trigger();
  EXPECT_FALSE(fs::exists(copies / "a.txt"));
  EXPECT_TRUE(historyLine(0).startsWith("[取消済] "));
  EXPECT_EQ(historyBox().currentRow(), 0);

  // An undone line is passed over with the same words and touches nothing.
  touch(copies / "a.txt", "a new file");
  QTest::mousePress(&main().speedButton(6), Qt::LeftButton);
  EXPECT_TRUE(sameImage(main().speedButton(6).icon(), program->art().imageList3(8)));
  QTest::mouseRelease(&main().speedButton(6), Qt::LeftButton);
  EXPECT_EQ(status(), "元に戻しました。");
  EXPECT_EQ(read(copies / "a.txt"), "a new file");
  EXPECT_FALSE(historyLine(0).startsWith("[取消済] [取消済]"));
  rightPressHistory();
  EXPECT_FALSE(program->form2().action("Undo1").isEnabled());
  EXPECT_TRUE(program->form2().action("N15").isEnabled());

  // "履歴を全消去": nothing is left to undo.
  program->form2().action("N15").trigger();
  EXPECT_EQ(historyBox().count(), 0);
  EXPECT_TRUE(program->history().empty());
  clickTool(6);
  EXPECT_EQ(status(), "動作履歴がありません。");
  program->form2().ListBox2MouseDown(Qt::RightButton);
  EXPECT_FALSE(program->form2().action("N13").isEnabled());
}

TEST_F(HistoryWindowTest, UndoOfATrashedFileOpensTheTrash) {
  startWith({"a.txt", "b.txt"});
  const fs::path copies = home.root() / "copies";
  setButton(1, copies);
  press(1);
  // The copy changed since: undoing it must not delete the wrong file.
  touch(copies / "a.txt", "edited since");
  clickTool(6);
  EXPECT_EQ(status(), "元に戻せませんでした。");
  EXPECT_EQ(read(copies / "a.txt"), "edited since");
  EXPECT_FALSE(historyLine(0).startsWith("[取消済] "));

  clickTool(5);
  EXPECT_TRUE(fs::exists(trashed("b.txt")));
  clickTool(6);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl("trash:///"));
  EXPECT_EQ(status(), "ごみ箱から取り出して下さい。");
  EXPECT_FALSE(historyLine(1).startsWith("[取消済] "));
  EXPECT_FALSE(fs::exists(in / "b.txt"));
}

TEST_F(HistoryWindowTest, TheLogIsSavedInCp932WithTxtAppended) {
  startWith({"猫.txt", "b.txt"});
  const fs::path copies = home.root() / "copies";
  setButton(1, copies);
  press(1);
  clickTool(5);
  const fs::path logs = home.makeDir("logs");

  // Cancelled: nothing written.
  program->form2().action("N13").trigger();
  ASSERT_EQ(saveRequests.size(), 1u);
  EXPECT_EQ(saveRequests[0].filter, "ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.TXT");
  EXPECT_EQ(saveRequests[0].proposedName,
            "LOG" + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
  EXPECT_TRUE(fs::is_empty(logs));

  saveAnswer = (logs / "history.txt").string();
  program->form2().action("N13").trigger();
  const std::string bytes = read(logs / "history.txt.txt");
  const std::string expected = utf8ToCp932(historyLine(0).toStdString()).value() + "\r\n" +
                               utf8ToCp932(historyLine(1).toStdString()).value() + "\r\n";
  EXPECT_EQ(bytes, expected);
  EXPECT_NE(bytes.find(utf8ToCp932("をゴミ箱へ捨てました。").value()), std::string::npos);

  // A folder that is not there: the error box says so and the history is unchanged.
  saveAnswer = (logs / "missing" / "LOG").string();
  boxes.clearShown();
  program->form2().action("N13").trigger();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].icon, BoxIcon::Error);
  EXPECT_EQ(program->history().size(), 2u);
}

TEST_F(HistoryWindowTest, SavingTheLogOverAnOldOneAsksAndTrashesTheOldOne) {
  startWith({"a.txt", "b.txt"});
  clickTool(5);
  const fs::path logs = home.makeDir("logs");
  saveAnswer = (logs / "history").string();
  program->form2().action("N13").trigger();
  EXPECT_TRUE(boxes.shown().empty());
  const std::string first = read(logs / "history.txt");
  ASSERT_FALSE(first.empty());

  clickTool(5);
  const QString question =
      "「history.txt」は既にあります。\n置き換えますか？（古いﾌｧｲﾙはゴミ箱へ捨てます。）";
  answer = BoxAnswer::No;
  program->form2().action("N13").trigger();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, question);
  EXPECT_EQ(boxes.shown()[0].buttons, BoxButtons::YesNo);
  EXPECT_EQ(read(logs / "history.txt"), first);
  EXPECT_FALSE(fs::exists(trashed("history.txt")));

  answer = BoxAnswer::Yes;
  program->form2().action("N13").trigger();
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].text, question);
  EXPECT_EQ(read(trashed("history.txt")), first);
  const std::string second = read(logs / "history.txt");
  EXPECT_EQ(second.substr(0, first.size()), first);
  EXPECT_GT(second.size(), first.size());
  EXPECT_EQ(std::distance(fs::directory_iterator(logs), {}), 1);
}
