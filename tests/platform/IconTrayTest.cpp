#include "platform/tray/IconTray.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "FakeTrayShell.h"
#include "platform/tray/TrayActivation.h"

namespace tossbox {
namespace {

QIcon redIcon() {
  QPixmap picture(16, 16);
  picture.fill(Qt::red);
  return QIcon(picture);
}

QString text(TrayButton button) {
  switch (button) {
    case TrayButton::Left:
      return QStringLiteral("left");
    case TrayButton::Right:
      return QStringLiteral("right");
    case TrayButton::Middle:
      return QStringLiteral("middle");
  }
  return {};
}

QString text(TrayShiftState shift) {
  QString marks;
  if (shift.testFlag(TrayShift::Shift)) marks += QStringLiteral("+shift");
  if (shift.testFlag(TrayShift::Ctrl)) marks += QStringLiteral("+ctrl");
  if (shift.testFlag(TrayShift::Double)) marks += QStringLiteral("+double");
  return marks;
}

// A component on a form with both menus, writing every event and menu showing into log.
struct LoggedTray {
  LoggedTray() {
    tray.setLBtnPopupMenu(&leftMenu);
    tray.setRBtnPopupMenu(rightMenu.get());
    leftMenu.addAction(QStringLiteral("L"));
    rightMenu->addAction(QStringLiteral("R"));
    QObject::connect(&tray, &TIconTray::OnClick, [this] { log << QStringLiteral("click"); });
    QObject::connect(&tray, &TIconTray::OnDblClick, [this] { log << QStringLiteral("dblclick"); });
    QObject::connect(
        &tray, &TIconTray::OnMouseDown,
        [this](TrayButton button, TrayShiftState shift, int x, int y) {
          log << QStringLiteral("down %1%2 %3,%4").arg(text(button), text(shift)).arg(x).arg(y);
        });
    QObject::connect(&tray, &TIconTray::OnMouseUp,
                     [this](TrayButton button, TrayShiftState shift, int, int) {
                       log << QStringLiteral("up %1%2").arg(text(button), text(shift));
                     });
    QObject::connect(&tray, &TIconTray::OnMouseMove, [this](TrayShiftState, int x, int y) {
      log << QStringLiteral("move %1,%2").arg(x).arg(y);
    });
    QObject::connect(&leftMenu, &QMenu::aboutToShow, [this] { log << QStringLiteral("menu L"); });
    QObject::connect(rightMenu.get(), &QMenu::aboutToShow,
                     [this] { log << QStringLiteral("menu R"); });
  }
  ~LoggedTray() {
    leftMenu.hide();
    if (rightMenu) rightMenu->hide();
  }

  QStringList take(std::initializer_list<int> messages) {
    log.clear();
    shell.send(tray.IconId(), messages);
    QStringList taken = log;
    leftMenu.hide();
    if (rightMenu) rightMenu->hide();
    return taken;
  }

  FakeTrayShell shell;
  TrayIconIds ids;
  QWidget form;
  QMenu leftMenu;
  std::unique_ptr<QMenu> rightMenu = std::make_unique<QMenu>();
  TIconTray tray{&form, shell, ids};
  QStringList log;
};

TEST(IconTray, HintIsCutTo63CharactersAndShowHintEmptiesTheTip) {
  FakeTrayShell shell;
  TrayIconIds ids;
  TIconTray tray(nullptr, shell, ids);
  tray.setIcon(redIcon());
  const QString seventy = QString(70, QLatin1Char('h'));
  tray.setHint(seventy);
  EXPECT_EQ(tray.Hint(), QString(63, QLatin1Char('h')));
  ASSERT_NE(shell.shownIcon(tray.IconId()), nullptr);
  EXPECT_EQ(shell.shownIcon(tray.IconId())->tip, QString(63, QLatin1Char('h')));

  tray.setShowHint(false);
  EXPECT_FALSE(tray.ShowHint());
  EXPECT_EQ(tray.Hint(), QString(63, QLatin1Char('h')));
  EXPECT_TRUE(shell.shownIcon(tray.IconId())->tip.isEmpty());
  tray.setShowHint(true);
  EXPECT_EQ(shell.shownIcon(tray.IconId())->tip, QString(63, QLatin1Char('h')));

  // Characters, not UTF-16 units: a character outside the BMP is kept whole or left out.
  const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");
  tray.setHint(QString(62, QLatin1Char('a')) + face + face);
  EXPECT_EQ(tray.Hint(), QString(62, QLatin1Char('a')) + face);
  tray.setHint(QString(61, QLatin1Char('a')) + QLatin1Char('b') + face);
  EXPECT_EQ(tray.Hint().size(), 64);

  // The same text again tells the shell nothing.
  const std::size_t told = shell.commands.size();
  tray.setHint(tray.Hint());
  tray.setShowHint(true);
  EXPECT_EQ(shell.commands.size(), told);
}

TEST(IconTray, MouseMessagesGiveTheEventsInTheirOrder) {
  LoggedTray t;
  t.shell.cursor = QPoint(120, 700);
  t.shell.keys = TrayShift::Ctrl;
  using namespace TrayMessage;
  EXPECT_EQ(t.take({LeftButtonDown, LeftButtonUp}),
            QStringList({"down left+ctrl 120,700", "click", "up left+ctrl", "menu L"}));
  EXPECT_EQ(t.take({LeftButtonDoubleClick}),
            QStringList({"dblclick", "down left+ctrl+double 120,700"}));
  EXPECT_EQ(t.take({RightButtonDown, RightButtonUp}),
            QStringList({"down right+ctrl 120,700", "up right+ctrl", "menu R"}));
  EXPECT_EQ(t.take({RightButtonDoubleClick}), QStringList({"down right+ctrl+double 120,700"}));
  t.shell.keys = {};
  EXPECT_EQ(t.take({MiddleButtonDown, MiddleButtonUp, MiddleButtonDoubleClick}),
            QStringList({"down middle 120,700", "up middle", "down middle+double 120,700"}));
  EXPECT_EQ(t.take({MouseMove}), QStringList({"move 120,700"}));
  // Other numbers, such as the window's own messages, give no event.
  EXPECT_TRUE(t.take({0x0100, 0x020A, 1024}).isEmpty());
}

TEST(IconTray, AMenuPopsUpAtThePointerAndADestroyedMenuIsForgotten) {
  LoggedTray t;
  t.shell.cursor = QPoint(200, 150);
  t.shell.send(t.tray.IconId(), {TrayMessage::RightButtonDown, TrayMessage::RightButtonUp});
  EXPECT_EQ(QApplication::activePopupWidget(), t.rightMenu.get());
  EXPECT_TRUE(t.rightMenu->isVisible());
  EXPECT_EQ(t.rightMenu->pos(), QPoint(200, 150));
  t.rightMenu->hide();

  t.rightMenu.reset();
  EXPECT_EQ(t.tray.RBtnPopupMenu(), nullptr);
  EXPECT_EQ(t.take({TrayMessage::RightButtonDown, TrayMessage::RightButtonUp}),
            QStringList({"down right 200,150", "up right"}));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  // The left menu is still there.
  EXPECT_EQ(t.tray.LBtnPopupMenu(), &t.leftMenu);
}

TEST(IconTray, RefusedShellCallsRaiseRegistrationError) {
  FakeTrayShell shell;
  TrayIconIds ids;
  auto tray = std::make_unique<TIconTray>(nullptr, shell, ids);
  // No picture: never added, so nothing to refuse.
  tray->setHint(QStringLiteral("tip"));
  EXPECT_TRUE(shell.commands.empty());

  shell.refused = {TrayCommand::Add};
  try {
    tray->setIcon(redIcon());
    ADD_FAILURE() << "no error";
  } catch (const EIconTrayError& error) {
    EXPECT_STREQ(error.what(), "Registration Error");
  }
  EXPECT_FALSE(tray->Registered());
  EXPECT_FALSE(tray->Icon().isNull());

  shell.refused.clear();
  tray->UpdateTrayIcon(true);
  EXPECT_TRUE(tray->Registered());
  EXPECT_EQ(shell.commands.back().command, TrayCommand::Add);

  shell.refused = {TrayCommand::Modify};
  EXPECT_THROW(tray->setHint(QStringLiteral("other")), EIconTrayError);
  EXPECT_TRUE(tray->Registered());
  EXPECT_EQ(tray->Hint(), "other");

  shell.refused = {TrayCommand::Delete};
  EXPECT_THROW(tray->UpdateTrayIcon(false), EIconTrayError);
  EXPECT_TRUE(tray->Registered());

  // Taking the picture away takes the icon off.
  shell.refused.clear();
  tray->setIcon(QIcon());
  EXPECT_FALSE(tray->Registered());
  EXPECT_EQ(shell.commands.back().command, TrayCommand::Delete);
  EXPECT_TRUE(shell.icons.empty());

  // The end removes a shown icon and closes the notify window, even when refused.
  tray->setIcon(redIcon());
  shell.refused = {TrayCommand::Delete};
  tray.reset();
  EXPECT_EQ(shell.commands.back().command, TrayCommand::Delete);
  EXPECT_TRUE(shell.windows.empty());
}

TEST(IconTray, IconIdsCountPerProgram) {
  FakeTrayShell shell;
  TrayIconIds ids;
  TIconTray first(nullptr, shell, ids);
  TIconTray second(nullptr, shell, ids);
  EXPECT_EQ(first.IconId(), 1);
  EXPECT_EQ(second.IconId(), 2);
  TrayIconIds otherProgram;
  TIconTray third(nullptr, shell, otherProgram);
  EXPECT_EQ(third.IconId(), 1);
}

TEST(TrayActivation, EachActivationIsAPressAndARelease) {
  using namespace TrayMessage;
  EXPECT_EQ(trayMessagesFor(QSystemTrayIcon::Trigger),
            (std::vector<int>{LeftButtonDown, LeftButtonUp}));
  EXPECT_EQ(trayMessagesFor(QSystemTrayIcon::DoubleClick),
            (std::vector<int>{LeftButtonDoubleClick, LeftButtonUp}));
  EXPECT_EQ(trayMessagesFor(QSystemTrayIcon::Context),
            (std::vector<int>{RightButtonDown, RightButtonUp}));
  EXPECT_EQ(trayMessagesFor(QSystemTrayIcon::MiddleClick),
            (std::vector<int>{MiddleButtonDown, MiddleButtonUp}));
  EXPECT_TRUE(trayMessagesFor(QSystemTrayIcon::Unknown).empty());
}

}  // namespace
}  // namespace tossbox
