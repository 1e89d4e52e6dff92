// The main window's tray icon, the tray menu and the about box, over a tray the test drives.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QToolButton>

#include "FakeTrayShell.h"
#include "ProgramFixture.h"
#include "forms/about/About.h"
#include "forms/fileinfo/UFileInfo.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/list/UList.h"
#include "forms/samename/UWarning.h"
#include "forms/viewer/ULarge.h"

using namespace tossbox;

namespace {

// Writes the showings and raisings of the windows it watches, by window name.
class StackingLog : public QObject {
 public:
  explicit StackingLog(std::initializer_list<QWidget*> windows) {
    for (QWidget* window : windows) window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) log << "show " + watched->objectName();
    if (event->type() == QEvent::ZOrderChange) log << "raise " + watched->objectName();
    return false;
  }
  QStringList log;
};

}  // namespace

class TrayTest : public ProgramTest {
 protected:
  Program& startWithTray() {
    auto owned = std::make_unique<FakeTrayShell>();
    shell = owned.get();
    return start({}, std::move(owned));
  }
  void TearDown() override {
    stop();
    shell = nullptr;
  }
  QAction& n14() { return main().action("N14"); }
  std::vector<QWidget*> eightWindows() {
    return {&main(),           &program->form2(), &program->form3(),      &program->form5(),
            &program->form6(), &program->form8(), &program->folderSett(), &program->fSyurui()};
  }
  bool anyVisible() {
    for (QWidget* window : eightWindows())
      if (window->isVisible()) return true;
    return false;
  }

  FakeTrayShell* shell = nullptr;
};

TEST_F(TrayTest, TheIconComesUpWithItsTipAndTheTrayMenu) {
  startWithTray();
  const TIconTray& tray = main().IconTray1();
  EXPECT_EQ(tray.IconId(), 1);
  ASSERT_NE(shell->shownIcon(1), nullptr);
  EXPECT_EQ(shell->shownIcon(1)->tip, "TOSSBOX.");
  EXPECT_FALSE(shell->shownIcon(1)->icon.isNull());
  EXPECT_EQ(tray.RBtnPopupMenu(), &main().trayMenu());
  EXPECT_EQ(tray.LBtnPopupMenu(), nullptr);
  EXPECT_TRUE(n14().isEnabled());
  EXPECT_TRUE(n14().isCheckable());
  EXPECT_FALSE(n14().isChecked());
  EXPECT_TRUE(boxes.shown().empty());

  shell->send(1, {TrayMessage::RightButtonDown, TrayMessage::RightButtonUp});
  EXPECT_EQ(QApplication::activePopupWidget(), &main().trayMenu());
  main().trayMenu().hide();

  // The icon leaves the tray with the program.
  stop();
  EXPECT_TRUE(shell->icons.empty());
}

TEST_F(TrayTest, HidingIntoTheTrayAndBackRestoresTheOpenWindowsWithTheMainOnTop) {
  startWithTray();
  main().speedButton(2).setChecked(true);
  main().SpeedButton2Click();
  program->form3().show();
  main().N8Click();
  ASSERT_TRUE(main().timer2().isActive());
  ASSERT_TRUE(program->form2().isVisible());

  shell->click(1);
  EXPECT_TRUE(n14().isChecked());
  EXPECT_FALSE(anyVisible());
  EXPECT_FALSE(main().timer2().isActive());
  EXPECT_TRUE(main().action("N16").isChecked());
  EXPECT_FALSE(main().action("N8").isChecked());
  // The icon stays to bring them back.
  EXPECT_NE(shell->shownIcon(1), nullptr);

  StackingLog stacking({&main(), &program->form2(), &program->form3()});
  shell->click(1);
  EXPECT_FALSE(n14().isChecked());
  EXPECT_TRUE(main().isVisible());
  EXPECT_TRUE(program->form2().isVisible());
  EXPECT_TRUE(program->form3().isVisible());
  for (QWidget* closed :
       {static_cast<QWidget*>(&program->form5()), static_cast<QWidget*>(&program->form6()),
        static_cast<QWidget*>(&program->form8()), static_cast<QWidget*>(&program->folderSett()),
        static_cast<QWidget*>(&program->fSyurui())})
    EXPECT_FALSE(closed->isVisible()) << closed->objectName().toStdString();
  ASSERT_FALSE(stacking.log.isEmpty());
  EXPECT_EQ(stacking.log.back(), "raise Form1");
  EXPECT_TRUE(stacking.log.indexOf("show Form2") < stacking.log.lastIndexOf("raise Form1"));
  EXPECT_TRUE(stacking.log.indexOf("show Form3") < stacking.log.lastIndexOf("raise Form1"));

  // The menu item does the same; its check mark says the windows are hidden.
  n14().trigger();
  EXPECT_TRUE(n14().isChecked());
  EXPECT_FALSE(anyVisible());
  n14().trigger();
  EXPECT_FALSE(n14().isChecked());
  EXPECT_TRUE(main().isVisible());
  EXPECT_TRUE(program->form2().isVisible());
}

TEST_F(TrayTest, AWindowComesBackFromTheTrayAsItWasLeft) {
  startWithTray();
  program->state().currentButton = 1;
  program->folderSett().show();
  auto* edit = program->folderSett().findChild<QLineEdit*>("Edit1");
  ASSERT_NE(edit, nullptr);
  edit->setText("/home/typed/but/not/stored");
  shell->click(1);
  ASSERT_FALSE(program->folderSett().isVisible());
  shell->click(1);
  EXPECT_TRUE(program->folderSett().isVisible());
  EXPECT_EQ(edit->text(), "/home/typed/but/not/stored");
}

TEST_F(TrayTest, AClickBeforeTheFirstShowingDoesNothing) {
  auto owned = std::make_unique<FakeTrayShell>();
  shell = owned.get();
  program = std::make_unique<Program>(boxes, std::vector<std::string>{}, std::move(owned));
  ASSERT_NE(shell->shownIcon(1), nullptr);
  shell->click(1);
  EXPECT_FALSE(n14().isChecked());
  EXPECT_FALSE(anyVisible());
  main().N14Click();
  EXPECT_FALSE(n14().isChecked());

  program->showMainWindow();
  QApplication::processEvents();
  shell->click(1);
  EXPECT_TRUE(n14().isChecked());
  EXPECT_FALSE(main().isVisible());
}

TEST_F(TrayTest, WithoutATrayTheProgramStartsAndAddsTheIconWhenOneAppears) {
  auto owned = std::make_unique<FakeTrayShell>();
  owned->available = false;
  shell = owned.get();
  start({}, std::move(owned));
  EXPECT_TRUE(main().isVisible());
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_FALSE(main().IconTray1().Registered());
  EXPECT_FALSE(n14().isEnabled());

  // The tray menu is still there on the title picture.
  auto* image2 = main().findChild<QLabel*>("Image2");
  ASSERT_NE(image2, nullptr);
  QTest::mousePress(image2, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(QApplication::activePopupWidget(), &main().trayMenu());
  main().trayMenu().hide();
  QTest::mouseRelease(image2, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));

  main().watchTray();
  EXPECT_FALSE(n14().isEnabled());
  shell->available = true;
  main().watchTray();
  EXPECT_TRUE(main().IconTray1().Registered());
  ASSERT_NE(shell->shownIcon(1), nullptr);
  EXPECT_EQ(shell->shownIcon(1)->tip, "TOSSBOX.");
  EXPECT_TRUE(n14().isEnabled());
  EXPECT_TRUE(boxes.shown().empty());

  // A tray that goes away while the windows are hidden gives them back.
  shell->click(1);
  ASSERT_FALSE(main().isVisible());
  shell->available = false;
  main().watchTray();
  EXPECT_TRUE(main().isVisible());
  EXPECT_FALSE(n14().isChecked());
  EXPECT_FALSE(n14().isEnabled());
  shell->available = true;
  main().watchTray();
  EXPECT_TRUE(main().IconTray1().Registered());
  EXPECT_TRUE(n14().isEnabled());
}

TEST_F(TrayTest, ATrayThatRefusesTheIconIsSaidOnceAndTheProgramRunsOn) {
  auto owned = std::make_unique<FakeTrayShell>();
  owned->refused = {TrayCommand::Add};
  shell = owned.get();
  start({}, std::move(owned));
  EXPECT_TRUE(main().isVisible());
  EXPECT_FALSE(n14().isEnabled());
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Registration Error");
  EXPECT_EQ(boxes.shown()[0].icon, BoxIcon::Error);
  main().watchTray();
  main().watchTray();
  EXPECT_EQ(boxes.shown().size(), 1u);
  shell->refused.clear();
  main().watchTray();
  EXPECT_TRUE(n14().isEnabled());
}

TEST_F(TrayTest, ALaterRefusedChangeGoesToTheErrorBoxOnce) {
  startWithTray();
  shell->refused = {TrayCommand::Modify};
  QMetaObject::invokeMethod(
      &main(), [this] { main().IconTray1().setHint("TOSSBOX!"); }, Qt::QueuedConnection);
  QApplication::processEvents();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Registration Error");
  // The program goes on: the icon is still there and still hides the windows.
  EXPECT_TRUE(main().IconTray1().Registered());
  shell->click(1);
  EXPECT_TRUE(n14().isChecked());
  shell->click(1);
  EXPECT_TRUE(main().isVisible());
  EXPECT_EQ(boxes.shown().size(), 1u);
}

TEST_F(TrayTest, TheAboutBoxIsOneWindowHowOftenItIsOpened) {
  startWithTray();
  TSTVabout& about = program->stvAbout();
  EXPECT_FALSE(about.isVisible());
  main().action("TOSSBOX1").trigger();
  main().action("TOSSBOX1").trigger();
  int shown = 0;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && window->windowTitle() == "Sortivoについて") ++shown;
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(about.windowTitle(), "Sortivoについて");
  EXPECT_EQ(about.size(), QSize(288, 108));
  EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(about.label1().text(), "Tossbox");
  EXPECT_EQ(about.label1().pos(), QPoint(56, 10));
  EXPECT_EQ(about.label3().text(), "Version 1.0");
  EXPECT_EQ(about.label3().pos(), QPoint(189, 14));
  EXPECT_EQ(about.image1().geometry(), QRect(16, 13, 32, 32));
  EXPECT_FALSE(about.image1().pixmap().isNull());
  EXPECT_EQ(about.button1().text(), "OK");
  EXPECT_EQ(about.button1().geometry(), QRect(216, 84, 57, 17));

  about.button1().click();
  EXPECT_FALSE(about.isVisible());
  main().TOSSBOX1Click();
  EXPECT_TRUE(about.isVisible());
  about.button1().click();
  // Hiding into the tray leaves the about box alone.
  main().TOSSBOX1Click();
  shell->click(1);
  EXPECT_TRUE(about.isVisible());
  about.button1().click();
}
