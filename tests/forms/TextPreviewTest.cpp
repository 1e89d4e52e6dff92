// Texts and sounds shown by the running program: the lines it keeps, the
// status line around a load, the sound stopped before the next file, and the
// error box for a text that cannot be read.
#include <sys/stat.h>
#include <unistd.h>

#include <QTest>

#include "ProgramFixture.h"
#include "core/text/TextLines.h"
#include "forms/list/UList.h"
#include "forms/picture/PictureControl.h"

using namespace tossbox;
namespace fs = std::filesystem;

class TextPreviewTest : public ProgramTest {
 protected:
  // Starts on `folder` with the sound player replaced by a record of what it was told.
  void startOn(const fs::path& folder) {
    start({folder.string()});
    RenderServices& services = program->renderServices();
    services.playSound = [this](const std::string& path) { sound.push_back("play " + path); };
    services.stopSound = [this] { sound.push_back("stop"); };
  }

  void show(const fs::path& file) {
    const SortList& files = program->state().files.sortList();
    for (std::size_t n = 0; n < files.size(); ++n) {
      if (files.path(n) != file.string()) continue;
      EntryListBox& list = program->form2().listBox1();
      for (int row = 0; row < list.count(); ++row) {
        if (entryNumberOf(list.itemText(row)) != n) continue;
        list.setSelectedIndex(row);
        main().ShowCurrent();
        return;
      }
    }
    ADD_FAILURE() << "not listed: " << file;
  }

  std::vector<std::string> sound;
};

TEST_F(TextPreviewTest, TextsAndASoundStepThrough) {
  const fs::path folder = home.makeDir("mixed files");
  touch(folder / "utf8.txt", "設定 ﾌｧｲﾙ\nsecond\n");
  touch(folder / "sjis.txt", "\x90\xdd\x92\xe8\r\n");
  touch(folder / "bell.wav", "RIFF");
  startOn(folder);

  show(folder / "utf8.txt");
  const TextLines& lines = program->state().textLines;
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "設定 ﾌｧｲﾙ");
  EXPECT_TRUE(lines.utf8());
  EXPECT_EQ(main().statusText(), "utf8.txt");
  EXPECT_EQ(program->state().shown.height, 2);
  EXPECT_EQ(main().image1().geometry(), QRect(4, 4, 180, 140));
  EXPECT_FALSE(main().image1().isHidden());

  sound.clear();
  show(folder / "bell.wav");
  EXPECT_EQ(sound, (std::vector<std::string>{"stop", "play " + (folder / "bell.wav").string()}));
  EXPECT_EQ(main().image1().geometry(), QRect(67, 48, 54, 54));
  // A preview of another kind leaves the lines of the last text.
  EXPECT_EQ(lines.size(), 2u);

  show(folder / "sjis.txt");
  EXPECT_EQ(sound.back(), "stop");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "\x90\xdd\x92\xe8");
  EXPECT_FALSE(lines.utf8());
  EXPECT_EQ(main().statusText(), "sjis.txt");
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(TextPreviewTest, WaitTextKeepsTheStatusToPutBack) {
  start();
  main().setStatusText("before");
  program->renderServices().showWaitText();
  EXPECT_EQ(main().statusText(), "しばらくお待ち下さい．．．");
  EXPECT_EQ(program->state().savedStatusText, "before");
  main().setStatusText("changed meanwhile");
  program->renderServices().restoreStatusText();
  EXPECT_EQ(main().statusText(), "before");
}

TEST_F(TextPreviewTest, ATextThatCannotBeReadEndsTheShowInAnErrorBox) {
  const fs::path folder = home.makeDir("texts");
  const fs::path first = folder / "a first.txt";
  const fs::path blocked = folder / "x.txt";
  touch(first, "readable\n");
  touch(blocked, "soon a pipe\n");
  startOn(folder);
  show(first);
  // A pipe where the file was: opening it must neither hang nor pass for a text.
  fs::remove(blocked);
  ASSERT_EQ(::mkfifo(blocked.c_str(), 0600), 0);
  const int firstRow = program->form2().listBox1().selectedIndex();
  // Stepping by a click on the picture: the error leaves the handler as it would for a user.
  QTest::mouseClick(&main().image1(), firstRow == 0 ? Qt::LeftButton : Qt::RightButton);
  EXPECT_EQ(program->state().files.currentFile(), blocked.string());

  ASSERT_EQ(boxes.shown().size(), 1u);
  const BoxRequest& error = boxes.shown()[0];
  EXPECT_EQ(error.icon, BoxIcon::Error);
  EXPECT_TRUE(error.text.contains(QString::fromStdString(blocked.string())))
      << error.text.toStdString();
  EXPECT_TRUE(error.text.contains("通常のファイルではありません"));
  EXPECT_NE(main().statusText(), "しばらくお待ち下さい．．．");
  EXPECT_TRUE(program->state().textLines.empty());
  EXPECT_FALSE(main().image1().isHidden());
  EXPECT_TRUE(fs::exists(first));

  // The program runs on: the next step shows the readable file again.
  show(first);
  EXPECT_EQ(program->state().textLines.size(), 1u);
  EXPECT_EQ(main().statusText(), "a first.txt");
  EXPECT_EQ(boxes.shown().size(), 1u);
}

TEST_F(TextPreviewTest, ASoundWithTheProgramsOwnPlayerNeverComplains) {
  // Sounds the media system cannot play, on a machine that may have no sound device at all.
  const fs::path folder = home.makeDir("sounds");
  touch(folder / "cut short.wav", "RIFF");
  touch(folder / "junk.wav", "not a sound");
  start({folder.string()});
  for (int step = 0; step < 3; ++step)
    main().Image1MouseDown(step == 1 ? Qt::LeftButton : Qt::RightButton);
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(program->state().shown.kind, 7);
  EXPECT_EQ(main().image1().geometry(), QRect(67, 48, 54, 54));
  EXPECT_FALSE(main().image1().isHidden());
  stop();
  EXPECT_TRUE(boxes.shown().empty());
}
