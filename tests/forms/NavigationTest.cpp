// Collecting files into the list and moving through them in the main window.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "ProgramFixture.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/list/UList.h"
#include "forms/main/SettingsBinding.h"
#include "forms/picture/PictureControl.h"
#include "platform/art/Artwork.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

// Ten files whose names sort in collection order.
std::vector<fs::path> makeTen(const fs::path& folder) {
  std::vector<fs::path> files;
  for (int n = 0; n < 10; ++n) {
    files.push_back(folder / ("f" + std::to_string(n) + ".txt"));
    std::filesystem::create_directories(folder);
    std::ofstream(files.back()) << n;
  }
  return files;
}

// Renderers that only say they handled the file, and which were asked.
void installRecordingRenderers(Program& program, std::vector<RendererId>& calls,
                               std::function<bool(RendererId)> answer) {
  for (std::size_t n = 0; n < static_cast<std::size_t>(RendererId::Count); ++n) {
    const auto id = static_cast<RendererId>(n);
    program.renderers().set(id, [&calls, answer, id](RenderServices&, const RenderArgs& args) {
      calls.push_back(id);
      const bool handled = answer(id);
      if (handled) args.target.show();
      return handled;
    });
  }
}

}  // namespace

class NavigationTest : public ProgramTest {
 protected:
  EntryListBox& list() { return program->form2().listBox1(); }
  QString counter() { return main().staticText1().text(); }
  void leftClick() {
    main().Image1MouseDown(Qt::LeftButton);
    main().Image1MouseUp();
  }
  void rightClick() {
    main().Image1MouseDown(Qt::RightButton);
    main().Image1MouseUp();
  }
};

TEST_F(NavigationTest, CommandLineFolderComesUpOnItsFirstFile) {
  const fs::path folder = home.makeDir("pictures with spaces");
  makeTen(folder);
  start({folder.string()});
  EXPECT_EQ(list().count(), 10);
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_EQ(counter(), "1/10");
  // The folder's own order: the first file the file system listed.
  const std::string first = program->state().files.sortList().path(0);
  EXPECT_EQ(program->state().files.currentFile(), first);
  const QString name = QString::fromStdString(fs::path(first).filename().string());
  EXPECT_EQ(main().statusText(), name);
  // The item shows the name only but keeps the tab and the number.
  EXPECT_EQ(list().model()->index(0, 0).data().toString(), name);
  EXPECT_EQ(list().itemText(0), name.toStdString() + "\t000000000");
}

TEST_F(NavigationTest, CommandLineWithoutFilesSaysSo) {
  const fs::path folder = home.makeDir("empty");
  touch(folder / "notes.xyz");
  start({folder.string(), (folder / "missing.xyz").string()});
  EXPECT_EQ(main().statusText(), "表示するﾌｧｲﾙがありません。");
  EXPECT_EQ(counter(), "0/0");
}

TEST_F(NavigationTest, ClicksStepAndStopAtBothEnds) {
  const fs::path folder = home.makeDir("ten");
  makeTen(folder);
  start();
  main().LoadPaths({folder.string()});
  EXPECT_EQ(counter(), "1/10");
  rightClick();
  EXPECT_EQ(counter(), "1/10");
  leftClick();
  EXPECT_EQ(counter(), "2/10");
  EXPECT_EQ(program->state().rememberedListPosition, 1);
  for (int n = 0; n < 12; ++n) leftClick();
  EXPECT_EQ(counter(), "10/10");
  EXPECT_EQ(
      main().statusText().toStdString(),
      fs::path(program->state().files.sortList().path(list().entryNumber(9))).filename().string());
  main().Image1MouseDown(Qt::MiddleButton);
  EXPECT_EQ(counter(), "9/10");
}

TEST_F(NavigationTest, LoadingASecondFolderSelectsItsFirstFile) {
  const fs::path first = home.makeDir("first");
  const fs::path second = home.makeDir("second");
  makeTen(first);
  touch(second / "next.bmp");
  start();
  main().LoadPaths({first.string()});
  leftClick();
  main().LoadPaths({second.string()});
  EXPECT_EQ(list().count(), 11);
  EXPECT_EQ(list().selectedIndex(), 10);
  EXPECT_EQ(program->state().files.currentFile(), (second / "next.bmp").string());
  EXPECT_EQ(main().statusText(), "next.bmp");
  EXPECT_EQ(counter(), "11/11");
}

TEST_F(NavigationTest, AutoAdvanceRunsToTheEndAndStops) {
  const fs::path folder = home.makeDir("ten");
  makeTen(folder);
  start();
  main().LoadPaths({folder.string()});
  list().setSelectedIndex(7);
  main().ShowCurrent();
  main().N8Click();
  EXPECT_TRUE(main().action("N8").isChecked());
  EXPECT_TRUE(main().timer2().isActive());
  EXPECT_EQ(main().timer2().interval(), 3000);
  main().Timer2Timer();
  EXPECT_EQ(counter(), "9/10");
  main().Timer2Timer();
  EXPECT_EQ(counter(), "10/10");
  EXPECT_TRUE(main().action("N8").isChecked());
  main().Timer2Timer();
  EXPECT_TRUE(main().action("N16").isChecked());
  EXPECT_FALSE(main().action("N8").isChecked());
  EXPECT_FALSE(main().timer2().isActive());

  // Back from the first entry stops on its first tick.
  list().setSelectedIndex(0);
  main().ShowCurrent();
  main().N15Click();
  main().Timer2Timer();
  EXPECT_EQ(counter(), "1/10");
  EXPECT_TRUE(main().action("N16").isChecked());
  EXPECT_FALSE(main().timer2().isActive());

  // Choosing "次ページ" while it is checked stops it; N8 then N15 switches.
  main().action("N8").trigger();
  EXPECT_TRUE(main().timer2().isActive());
  main().action("N15").trigger();
  EXPECT_TRUE(main().action("N15").isChecked());
  EXPECT_FALSE(main().action("N8").isChecked());
  main().action("N15").trigger();
  EXPECT_TRUE(main().action("N16").isChecked());
  EXPECT_FALSE(main().timer2().isActive());
  main().action("N16").trigger();
  EXPECT_TRUE(main().action("N16").isChecked());
}

TEST_F(NavigationTest, ProgressShowsThePercentageAndRestartsAutoAdvance) {
  start();
  main().setStatusText("photo.jpg");
  main().ProgressUpdate(ProgressStage::Starting, 0);
  main().ProgressUpdate(ProgressStage::Running, 45);
  EXPECT_EQ(main().statusText(), "しばらくお待ち下さい．．．45%");
  main().ProgressUpdate(ProgressStage::Ending, 100);
  EXPECT_EQ(main().statusText(), "photo.jpg");
  EXPECT_FALSE(main().timer2().isActive());  // stopped: no restart
  main().action("N8").setChecked(true);
  main().action("N16").setChecked(false);
  main().ProgressUpdate(ProgressStage::Ending, 100);
  EXPECT_TRUE(main().timer2().isActive());
  EXPECT_EQ(main().timer2().interval(), 3000);
}

TEST_F(NavigationTest, AMissingFileShowsTheMissingPicture) {
  const fs::path folder = home.makeDir("gone");
  touch(folder / "a.jpg");
  start();
  main().LoadPaths({folder.string()});
  fs::remove(folder / "a.jpg");
  main().ShowCurrent();
  EXPECT_EQ(main().statusText(), "ﾌｧｲﾙが見当たりません。");
  const PictureControl& picture = main().image1();
  EXPECT_EQ(picture.geometry(), QRect(67, 48, 54, 54));
  EXPECT_FALSE(picture.picture().isNull());
  EXPECT_TRUE(picture.isVisibleTo(&main()));
}

TEST_F(NavigationTest, DispatchFallsBackThroughTheTableThenFromTheTop) {
  const fs::path folder = home.makeDir("mixed");
  touch(folder / "jpeg-inside.gif");
  start();
  std::vector<RendererId> calls;
  installRecordingRenderers(*program, calls, [](RendererId id) { return id == RendererId::Jpeg; });
  main().LoadPaths({folder.string()});
  const std::vector<RendererId> expected = {
      RendererId::Gif,  RendererId::Bitmap, RendererId::Icon, RendererId::Metafile,
      RendererId::Wave, RendererId::Text,   RendererId::Text, RendererId::Text,
      RendererId::Text, RendererId::Video,  RendererId::Jpeg};
  EXPECT_EQ(calls, expected);

  // A file's own renderer that succeeds is the only one asked; unknown endings none.
  calls.clear();
  main().DisplayFile(main().image1(), (folder / "x.jpeg").string(), FastDecode::On,
                     RenderBox{140, 181}, 0);
  EXPECT_EQ(calls, std::vector<RendererId>{RendererId::Jpeg});
  calls.clear();
  main().DisplayFile(main().image1(), (folder / "x.xyz").string(), FastDecode::On,
                     RenderBox{140, 181}, 0);
  EXPECT_TRUE(calls.empty());
}

TEST_F(NavigationTest, WithoutRenderersNothingIsDrawn) {
  const fs::path folder = home.makeDir("plain");
  touch(folder / "a.bmp");
  start();
  program->renderers() = RendererTable();
  main().LoadPaths({folder.string()});
  EXPECT_TRUE(main().image1().picture().isNull());
  EXPECT_FALSE(main().image1().isVisibleTo(&main()));
  EXPECT_EQ(main().statusText(), "a.bmp");
}

TEST_F(NavigationTest, FileMenuItemsNeedAList) {
  start();
  main().PopupMenu2Popup();
  EXPECT_FALSE(main().action("N10").isEnabled());
  EXPECT_FALSE(main().action("N12").isEnabled());
  EXPECT_FALSE(main().action("N17").isEnabled());
  EXPECT_TRUE(main().action("N9").isEnabled());
  EXPECT_TRUE(main().action("N13").isEnabled());
  const fs::path folder = home.makeDir("one");
  touch(folder / "a.txt");
  main().LoadPaths({folder.string()});
  main().PopupMenu2Popup();
  EXPECT_TRUE(main().action("N10").isEnabled());
  // Clearing empties everything and says what to do next.
  main().speedButton(3).setChecked(true);
  main().action("N10").trigger();
  EXPECT_FALSE(main().speedButton(3).isChecked());
  EXPECT_EQ(list().count(), 0);
  EXPECT_TRUE(program->state().files.sortList().empty());
  EXPECT_EQ(counter(), "0/0");
  EXPECT_EQ(main().statusText(), "振分したいﾌｫﾙﾀﾞを選択して下さい。");
  EXPECT_EQ(program->fSyurui().countText(8), "0");
}

TEST_F(NavigationTest, KindFilterHidesButStillCounts) {
  const fs::path folder = home.makeDir("kinds");
  touch(folder / "a.jpg");
  touch(folder / "b.jpeg");
  touch(folder / "c.txt");
  touch(folder / "d.doc");
  start();
  main().LoadPaths({folder.string()});
  EXPECT_EQ(list().count(), 3);
  EXPECT_EQ(program->fSyurui().countText(2), "2");
  EXPECT_EQ(program->fSyurui().countText(8), "1");
  program->fSyurui().Button2Click();
  EXPECT_EQ(list().count(), 0);
  EXPECT_EQ(program->fSyurui().countText(2), "2");
  EXPECT_EQ(counter(), "0/0");
  program->fSyurui().setKindChecked(8, true);
  program->fSyurui().CheckBox1MouseDown();
  EXPECT_EQ(list().count(), 1);
  EXPECT_EQ(program->state().settings.KindEnabled[7], 1);
  EXPECT_EQ(program->state().settings.KindEnabled[1], 0);
  program->fSyurui().Button1Click();
  EXPECT_EQ(list().count(), 3);
}

TEST_F(NavigationTest, AscendingListPutsCapitalAFirstAndEqualNamesByNumber) {
  const fs::path one = home.makeDir("one");
  const fs::path two = home.makeDir("two");
  touch(one / "b.jpg");
  touch(one / "A.jpg");
  touch(two / "b.jpg");
  start();
  main().AddPath((one / "b.jpg").string());
  main().AddPath((one / "A.jpg").string());
  main().AddPath((two / "b.jpg").string());
  program->form2().findChild<QAction*>("N10")->setChecked(true);
  program->settingsBinding().StoreControlsToSettings();
  program->form2().RebuildList();
  ASSERT_EQ(list().count(), 3);
  EXPECT_EQ(list().itemText(0), std::string("A.jpg\t000000001"));
  EXPECT_EQ(list().itemText(1), std::string("b.jpg\t000000000"));
  EXPECT_EQ(list().itemText(2), std::string("b.jpg\t000000002"));
  EXPECT_EQ(list().selectedIndex(), 0);
}

TEST_F(NavigationTest, WindowsOpenBesideTheMainWindow) {
  start();
  const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
  main().move(100, 60);
  main().speedButton(2).setChecked(true);
  main().SpeedButton2Click();
  TForm2& listWindow = program->form2();
  EXPECT_EQ(listWindow.pos(), QPoint(100 + 219 + 10, 60));
  EXPECT_TRUE(listWindow.isVisible());
  main().speedButton(2).setChecked(false);
  main().SpeedButton2Click();
  EXPECT_FALSE(listWindow.isVisible());

  main().move(screenWidth - 219 - listWindow.width() - 11, 60);
  main().speedButton(2).setChecked(true);
  main().SpeedButton2Click();
  EXPECT_EQ(listWindow.x(), main().x() - listWindow.width() - 10);

  main().move(screenWidth - 219 - program->fSyurui().width() - 12, 30);
  main().N13Click();
  EXPECT_EQ(program->fSyurui().pos(), QPoint(main().x() + 219 + 10, 30));
  main().move(screenWidth - 219 - program->fSyurui().width() - 11, 30);
  main().N13Click();
  EXPECT_EQ(program->fSyurui().x(), main().x() - program->fSyurui().width() - 10);
}

TEST_F(NavigationTest, ListWindowOpensOnTheRememberedPosition) {
  const fs::path folder = home.makeDir("ten");
  makeTen(folder);
  start();
  main().LoadPaths({folder.string()});
  leftClick();
  leftClick();
  list().setSelectedIndex(0);  // as if the list had been scrolled elsewhere
  main().speedButton(2).setChecked(true);
  main().SpeedButton2Click();
  EXPECT_EQ(list().selectedIndex(), 2);
}

TEST_F(NavigationTest, TheWindowKeepsRunningDuringALongScan) {
  const fs::path folder = home.makeDir("many");
  for (int d = 0; d < 20; ++d)
    for (int f = 0; f < 200; ++f)
      touch(folder / ("d" + std::to_string(d)) / ("f" + std::to_string(f) + ".txt"));
  start();
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start(0);
  main().LoadPaths({folder.string()});
  EXPECT_EQ(list().count(), 4000);
  EXPECT_GT(ticks, 0);
}

TEST_F(NavigationTest, ALinkLoopIsScannedOnce) {
  const fs::path folder = home.makeDir("loop");
  touch(folder / "a.txt");
  touch(folder / "sub" / "b.txt");
  ASSERT_EQ(symlink("..", (folder / "sub" / "up").c_str()), 0);
  start();
  main().LoadPaths({folder.string()});
  EXPECT_EQ(list().count(), 2);
}

TEST_F(NavigationTest, ClickOnTheEmptyPictureOpensTheFolderChooser) {
  start();
  main().Image1MouseMove();
  EXPECT_EQ(main().image1().toolTip(), "ｸﾘｯｸで振分ﾌｫﾙﾀﾞ選択");
  main().Image1MouseDown(Qt::LeftButton);
  EXPECT_TRUE(program->state().chooserForSource);
}

// Qt turns the second press of a quick double click into a double-click event; on the picture
// it is a press like any other.
TEST_F(NavigationTest, EveryPressOnThePictureStepsHoweverFast) {
  const fs::path folder = home.makeDir("ten");
  makeTen(folder);
  start();
  main().LoadPaths({folder.string()});
  const auto doubleClick = [](QWidget& control, Qt::MouseButton button) {
    const QPointF at(3, 3);
    const QPointF global = control.mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
      QMouseEvent event(type, at, global, button, held, Qt::NoModifier);
      QApplication::sendEvent(&control, &event);
    }
  };
  QWidget& panel2 = *main().findChild<QWidget*>(QStringLiteral("Panel2"));
  doubleClick(main().image1(), Qt::LeftButton);
  EXPECT_EQ(counter(), "3/10");
  doubleClick(panel2, Qt::LeftButton);
  EXPECT_EQ(counter(), "5/10");
  doubleClick(main().image1(), Qt::RightButton);
  EXPECT_EQ(counter(), "3/10");
  EXPECT_EQ(program->state().rememberedListPosition, 2);
}

// The first showing draws the first file again at its own size, but not over the picture that
// says the file is missing.
TEST_F(NavigationTest, AMissingFirstFileOnTheCommandLineKeepsTheMissingPicture) {
  const fs::path folder = home.makeDir("args");
  touch(folder / "here.txt");
  start({(folder / "gone.jpg").string(), (folder / "here.txt").string()});
  EXPECT_EQ(counter(), "1/2");
  EXPECT_EQ(main().statusText(), "ﾌｧｲﾙが見当たりません。");
  const PictureControl& picture = main().image1();
  EXPECT_EQ(picture.geometry(), QRect(67, 48, 54, 54));
  EXPECT_EQ(picture.picture().image(), program->art().imageList1(14).toImage());
  EXPECT_TRUE(picture.isVisibleTo(&main()));
}
