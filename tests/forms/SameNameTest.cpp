// The same-name dialog: both files side by side, and its three answers.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "../core/picture/PictureFixtures.h"
#include "SortingFixture.h"
#include "WaitingFifo.h"
#include "core/sorting/ConflictLabels.h"
#include "forms/picture/PictureControl.h"
#include "forms/samename/UWarning.h"

using namespace tossbox;
namespace fs = std::filesystem;

class SameNameTest : public SortingTest {
 protected:
  TForm5& dialog() { return program->form5(); }
  QString label(const char* name) {
    auto* found = dialog().findChild<QLabel*>(QLatin1String(name));
    return found != nullptr ? found->text() : QStringLiteral("(no %1)").arg(name);
  }
  QString edit(const char* name) { return dialog().findChild<QLineEdit*>(name)->text(); }
  void click(const char* name) { dialog().findChild<QPushButton*>(name)->click(); }

  void SetUp() override {
    SortingTest::SetUp();
    out = home.makeDir("sorted");
  }

  fs::path out;
};

TEST_F(SameNameTest, TheThreeAnswers) {
  startWith({"a.txt", "b.txt", "c.txt", "d.txt"});
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) touch(out / name, "older");
  setButton(1, out);

  press(1);
  ASSERT_TRUE(dialog().isVisible());
  EXPECT_FALSE(main().isEnabled());
  EXPECT_FALSE(program->form2().isEnabled());
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_EQ(dialog().conflictSource(), (in / "a.txt").string());
  EXPECT_EQ(dialog().conflictTarget(), (out / "a.txt").string());
  EXPECT_EQ(edit("Edit1").toStdString(), in.string());
  EXPECT_EQ(edit("Edit2").toStdString(), out.string());
  EXPECT_EQ(label("Label8"), "元名前：a.txt");
  EXPECT_EQ(label("Label9"), "先名前：a.txt");
  // Each side's own size: "bytes of a.txt" is 14 bytes, "older" 5.
  EXPECT_EQ(label("Label3"), "ｻｲｽﾞ ：14ﾊﾞｲﾄ");
  EXPECT_EQ(label("Label6"), "ｻｲｽﾞ ：5ﾊﾞｲﾄ");
  EXPECT_TRUE(label("Label4").startsWith("作成日："));
  EXPECT_TRUE(label("Label7").contains("\n       "));

  // "ｷｬﾝｾﾙ": nothing is copied, the list goes on.
  click("Button1");
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_TRUE(main().isEnabled());
  EXPECT_EQ(read(out / "a.txt"), "older");
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_TRUE(program->history().empty());

  // "上書き": the old file goes to the trash, the new one takes its place.
  press(1);
  ASSERT_TRUE(dialog().isVisible());
  click("Button3");
  EXPECT_EQ(read(out / "b.txt"), "bytes of b.txt");
  EXPECT_EQ(read(home.dataHome() / "Trash" / "files" / "b.txt"), "older");
  EXPECT_EQ(list().selectedIndex(), 2);
  ASSERT_EQ(historyBox().count(), 1);
  EXPECT_TRUE(historyLine(0).startsWith("\"b.txt\" を \"sorted/b.txt\" にコピーしました。"));

  // "新規保存": its own filter and name; cancelling the save dialog keeps this one open.
  press(1);
  ASSERT_TRUE(dialog().isVisible());
  click("Button2");
  ASSERT_EQ(saveRequests.size(), 1u);
  EXPECT_EQ(saveRequests[0].filter, "ﾌｧｲﾙ (*.txt)|*.txt");
  EXPECT_EQ(saveRequests[0].proposedName, "c.txt");
  EXPECT_EQ(saveRequests[0].folder, out.string());
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(list().selectedIndex(), 2);
  saveAnswer = (out / "c again.txt").string();
  click("Button2");
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_EQ(read(out / "c again.txt"), "bytes of c.txt");
  EXPECT_EQ(read(out / "c.txt"), "older");
  EXPECT_EQ(list().selectedIndex(), 3);
  EXPECT_EQ(historyBox().count(), 2);
}

TEST_F(SameNameTest, MoveModeAndAFailedAnswer) {
  startWith({"a.txt", "b.txt"});
  touch(out / "a.txt", "older");
  touch(out / "b.txt", "older");
  setButton(1, out, 1);
  press(1);
  click("Button3");
  EXPECT_EQ(read(out / "a.txt"), "bytes of a.txt");
  EXPECT_FALSE(fs::exists(in / "a.txt"));
  EXPECT_EQ(list().selectedIndex(), 1);

  // The pending file vanished while the dialog was open: the answer fails visibly and the
  // list stays on the file.
  press(1);
  ASSERT_TRUE(dialog().isVisible());
  fs::remove(in / "b.txt");
  click("Button3");
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_EQ(status(), "移動できませんでした。");
  EXPECT_EQ(read(out / "b.txt"), "older");
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_EQ(program->history().size(), 1u);
}

TEST_F(SameNameTest, BothPicturesAreTheirOwnFiles) {
  fixtures::BmpLayout wide;
  wide.width = 40;
  wide.height = 10;
  wide.value = [](int, int) { return 0xFF0000u; };
  fixtures::BmpLayout square;
  square.width = 12;
  square.height = 12;
  square.value = [](int, int) { return 0x0000FFu; };
  fixtures::writeFile((in / "pic.bmp").string(), fixtures::makeBmp(wide));
  fixtures::writeFile((out / "pic.bmp").string(), fixtures::makeBmp(square));
  start({(in / "pic.bmp").string()});
  setButton(1, out);
  press(1);
  ASSERT_TRUE(dialog().isVisible());
  const Picture& left = dialog().image1().picture();
  const Picture& right = dialog().image2().picture();
  ASSERT_FALSE(left.isNull());
  ASSERT_FALSE(right.isNull());
  EXPECT_EQ(left.image().size(), QSize(40, 10));
  EXPECT_EQ(right.image().size(), QSize(12, 12));
  // Fitted into the 130 x 94 box, never enlarged.
  EXPECT_LE(dialog().image1().width(), 130);
  EXPECT_EQ(dialog().image2().size(), QSize(12, 12));
  EXPECT_EQ(label("Label3").toStdString(), conflictSizeText(fs::file_size(in / "pic.bmp")));
  EXPECT_EQ(label("Label6").toStdString(), conflictSizeText(fs::file_size(out / "pic.bmp")));
  click("Button1");
}

// A FIFO standing at the target's name is named in the dialog but never read.
TEST_F(SameNameTest, AFifoAtTheTargetIsNotWaitedOn) {
  fixtures::BmpLayout layout;
  layout.width = 8;
  layout.height = 8;
  layout.value = [](int, int) { return 0x00FF00u; };
  fixtures::writeFile((in / "pic.bmp").string(), fixtures::makeBmp(layout));
  WaitingFifo fifo((out / "pic.bmp").string());
  start({(in / "pic.bmp").string()});
  setButton(1, out);
  press(1);
  fifo.stop();
  EXPECT_FALSE(fifo.rescued());
  ASSERT_TRUE(dialog().isVisible());
  EXPECT_FALSE(dialog().image1().picture().isNull());
  EXPECT_TRUE(dialog().image2().picture().isNull());
  EXPECT_EQ(label("Label9"), "先名前：pic.bmp");
  click("Button1");
  EXPECT_TRUE(fs::is_fifo(out / "pic.bmp"));
}
