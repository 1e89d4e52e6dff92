// The keys of the main window, the list window and the viewer: each presses the same handler as
// its click, none acts while a dialog is open, and a held key never repeats a sort or a delete.
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>

#include "SortingFixture.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/main/KeyCommands.h"
#include "forms/samename/UWarning.h"
#include "forms/viewer/ULarge.h"

using namespace tossbox;
namespace fs = std::filesystem;

class KeyCommandsTest : public SortingTest {
 protected:
  static void key(QWidget& to, int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  bool autoRepeat = false) {
    const QString text = code >= Qt::Key_0 && code <= Qt::Key_9 ? QString(QChar(code)) : QString();
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text, autoRepeat);
    QApplication::sendEvent(&to, &press);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text, autoRepeat);
    QApplication::sendEvent(&to, &release);
  }

  struct Outcome {
    std::string copied;
    QString historyLine;
    QString status;
    int selected = -1;
    std::vector<int> pauses;
    std::vector<QImage> glyphs;
  };

  // Sorts the first of two files with button 2, by `sort`, and tells what came of it.
  Outcome sortFirstWith(const std::function<void()>& sort) {
    startWith({"a.txt", "b.txt"});
    const fs::path copies = home.root() / "copies";
    fs::remove_all(copies);
    setButton(2, copies);
    Outcome outcome;
    program->setPause([&](int ms) {
      outcome.pauses.push_back(ms);
      outcome.glyphs.push_back(main().folderButton(2).icon().pixmap(54, 54).toImage());
    });
    sort();
    outcome.copied = read(copies / "a.txt");
    outcome.historyLine = historyBox().count() == 1 ? historyLine(0) : QString();
    outcome.status = status();
    outcome.selected = list().selectedIndex();
    return outcome;
  }
};

TEST_F(KeyCommandsTest, ADigitSortsAsAClickOnItsButtonDoes) {
  const Outcome byKey = sortFirstWith([this] { key(main(), Qt::Key_2); });
  const Outcome byClick = sortFirstWith([this] { press(2); });
  EXPECT_EQ(byKey.copied, "bytes of a.txt");
  EXPECT_FALSE(byKey.historyLine.isEmpty());
  EXPECT_EQ(byKey.copied, byClick.copied);
  EXPECT_EQ(byKey.historyLine, byClick.historyLine);
  EXPECT_EQ(byKey.status, "b.txt");
  EXPECT_EQ(byKey.status, byClick.status);
  EXPECT_EQ(byKey.selected, 1);
  EXPECT_EQ(byKey.pauses, std::vector<int>{100});
  ASSERT_EQ(byKey.glyphs.size(), 1u);
  EXPECT_EQ(byKey.glyphs[0], program->art().imageList1(8).toImage());
  EXPECT_EQ(byKey.glyphs, byClick.glyphs);

  // The keypad's digits too.
  const fs::path copies = home.root() / "copies";
  key(main(), Qt::Key_2, Qt::KeypadModifier);
  EXPECT_EQ(read(copies / "b.txt"), "bytes of b.txt");
}

TEST_F(KeyCommandsTest, ShiftWithADigitOnlySelectsTheButton) {
  startWith({"a.txt", "b.txt"});
  setButton(3, home.root() / "three");
  key(main(), Qt::Key_3, Qt::ShiftModifier);
  EXPECT_EQ(program->state().currentButton, 3);
  EXPECT_TRUE(main().action(QStringLiteral("N4")).isEnabled());
  EXPECT_FALSE(fs::exists(home.root() / "three"));
  EXPECT_EQ(list().selectedIndex(), 0);
  key(main(), Qt::Key_4, Qt::ShiftModifier);
  EXPECT_EQ(program->state().currentButton, 4);
  EXPECT_FALSE(main().action(QStringLiteral("N4")).isEnabled());

  // The sign a layout makes of Shift with a digit is known by the key's code.
  EXPECT_EQ(commandForKey(Qt::Key_Exclam, Qt::ShiftModifier, 10),
            (KeyCommand{KeyAction::Select, 1}));
  EXPECT_EQ(commandForKey(Qt::Key_QuoteDbl, Qt::ShiftModifier, 11),
            (KeyCommand{KeyAction::Select, 2}));
  EXPECT_EQ(commandForKey(Qt::Key_Ampersand, Qt::ShiftModifier, 15),
            (KeyCommand{KeyAction::Select, 6}));
  // Shift with keypad 1 under Num Lock arrives as End.
  EXPECT_EQ(commandForKey(Qt::Key_End, Qt::ShiftModifier | Qt::KeypadModifier, 87),
            (KeyCommand{KeyAction::Select, 1}));
  EXPECT_EQ(commandForKey(Qt::Key_End, Qt::KeypadModifier, 87), (KeyCommand{KeyAction::Last}));
  EXPECT_EQ(commandForKey(Qt::Key_7, Qt::NoModifier, 16), std::nullopt);
  EXPECT_EQ(commandForKey(Qt::Key_1, Qt::ControlModifier, 10), std::nullopt);
  EXPECT_EQ(commandForKey(Qt::Key_Exclam, Qt::ShiftModifier, std::nullopt), std::nullopt);
  EXPECT_EQ(commandForKey(Qt::Key_Right, Qt::AltModifier, std::nullopt), std::nullopt);
}

TEST_F(KeyCommandsTest, StepsGoAsPictureClicksAndHomeEndReachTheEnds) {
  startWith({"a.txt", "b.txt", "c.txt", "d.txt"});
  key(main(), Qt::Key_Right);
  EXPECT_EQ(list().selectedIndex(), 1);
  key(main(), Qt::Key_Space);
  EXPECT_EQ(list().selectedIndex(), 2);
  key(main(), Qt::Key_PageDown);
  EXPECT_EQ(list().selectedIndex(), 3);
  key(main(), Qt::Key_Right);
  EXPECT_EQ(list().selectedIndex(), 3);
  key(main(), Qt::Key_Left);
  EXPECT_EQ(list().selectedIndex(), 2);
  EXPECT_EQ(status(), "c.txt");
  key(main(), Qt::Key_Backspace);
  key(main(), Qt::Key_PageUp);
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_EQ(program->state().files.currentFile(), (in / "a.txt").string());
  key(main(), Qt::Key_End);
  EXPECT_EQ(list().selectedIndex(), 3);
  EXPECT_EQ(program->state().rememberedListPosition, 3);
  EXPECT_EQ(main().staticText1().text(), "4/4");
  key(main(), Qt::Key_Home);
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_EQ(status(), "a.txt");

  // A held step key goes on stepping.
  key(main(), Qt::Key_Right, Qt::NoModifier, true);
  EXPECT_EQ(list().selectedIndex(), 1);
}

TEST_F(KeyCommandsTest, DeleteUndoEnterAndF1PressTheirButtons) {
  startWith({"a.txt", "b.txt"});
  key(main(), Qt::Key_Delete);
  EXPECT_FALSE(fs::exists(in / "a.txt"));
  EXPECT_TRUE(fs::exists(home.dataHome() / "Trash" / "files" / "a.txt"));
  ASSERT_EQ(historyBox().count(), 1);
  EXPECT_EQ(list().selectedIndex(), 1);
  EXPECT_TRUE(sameImage(main().speedButton(5).icon(), program->art().imageList3(4)));

  const fs::path copies = home.root() / "copies";
  setButton(1, copies);
  key(main(), Qt::Key_1);
  ASSERT_TRUE(fs::exists(copies / "b.txt"));
  ASSERT_EQ(historyBox().count(), 2);
  key(main(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(fs::exists(copies / "b.txt"));
  EXPECT_TRUE(historyLine(1).startsWith("[取消済] "));

  EXPECT_FALSE(main().speedButton(1).isChecked());
  key(main(), Qt::Key_Return);
  EXPECT_TRUE(main().speedButton(1).isChecked());
  key(main(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(main().speedButton(1).isChecked());

  QSignalSpy help(&main().speedButton(7), &QToolButton::clicked);
  key(main(), Qt::Key_F1);
  EXPECT_EQ(help.count(), 1);
}

TEST_F(KeyCommandsTest, AHeldKeyNeverRepeatsASortOrADelete) {
  startWith({"a.txt", "b.txt", "c.txt"});
  const fs::path copies = home.root() / "copies";
  setButton(1, copies);
  key(main(), Qt::Key_1);
  ASSERT_EQ(program->history().size(), 1u);
  key(main(), Qt::Key_1, Qt::NoModifier, true);
  key(main(), Qt::Key_1, Qt::NoModifier, true);
  EXPECT_EQ(program->history().size(), 1u);
  EXPECT_FALSE(fs::exists(copies / "b.txt"));
  EXPECT_EQ(list().selectedIndex(), 1);
  key(main(), Qt::Key_Delete, Qt::NoModifier, true);
  EXPECT_TRUE(fs::exists(in / "b.txt"));
  key(main(), Qt::Key_Z, Qt::ControlModifier, true);
  EXPECT_TRUE(fs::exists(copies / "a.txt"));
  EXPECT_EQ(program->history().size(), 1u);
}

TEST_F(KeyCommandsTest, NoKeyActsWhileADialogIsOpen) {
  startWith({"a.txt", "b.txt", "c.txt"});
  // An unset button opens its settings.
  key(main(), Qt::Key_4);
  ASSERT_TRUE(program->folderSett().isVisible());
  const fs::path copies = home.root() / "copies";
  setButton(1, copies);
  for (QWidget* window : {static_cast<QWidget*>(&main()), static_cast<QWidget*>(&program->form2()),
                          static_cast<QWidget*>(&program->form3())}) {
    key(*window, Qt::Key_1);
    key(*window, Qt::Key_Right);
    key(*window, Qt::Key_Delete);
  }
  EXPECT_FALSE(fs::exists(copies));
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_TRUE(fs::exists(in / "a.txt"));
  program->folderSett().close();

  // The same-name dialog.
  touch(copies / "a.txt", "older");
  key(main(), Qt::Key_1);
  ASSERT_TRUE(program->form5().isVisible());
  key(main(), Qt::Key_1);
  key(main(), Qt::Key_End);
  key(program->form2().listBox1(), Qt::Key_Delete);
  EXPECT_EQ(read(copies / "a.txt"), "older");
  EXPECT_TRUE(fs::exists(in / "a.txt"));
  EXPECT_EQ(list().selectedIndex(), 0);
  EXPECT_TRUE(program->history().empty());
}

TEST_F(KeyCommandsTest, TheListWindowAndTheViewerTakeTheKeysToo) {
  startWith({"a.txt", "b.txt", "c.txt"});
  const fs::path copies = home.root() / "copies";
  setButton(5, copies);
  key(program->form2().listBox1(), Qt::Key_5);
  EXPECT_EQ(read(copies / "a.txt"), "bytes of a.txt");
  EXPECT_EQ(list().selectedIndex(), 1);
  key(program->form3(), Qt::Key_Right);
  EXPECT_EQ(list().selectedIndex(), 2);
  key(program->form3(), Qt::Key_5);
  EXPECT_EQ(read(copies / "c.txt"), "bytes of c.txt");
}

TEST_F(KeyCommandsTest, EachButtonsHintNamesItsKey) {
  start();
  setButton(2, home.root() / "c");
  setButton(3, home.root() / "m", 1);
  QMouseEvent hover(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                    {});
  for (int n : {1, 2, 3}) QApplication::sendEvent(&main().folderButton(n), &hover);
  EXPECT_EQ(main().folderButton(1).toolTip(), "ｸﾘｯｸしてﾌｫﾙﾀﾞを設定 (1)");
  EXPECT_EQ(main().folderButton(2).toolTip(), "ｺﾋﾟｰ先 (2)");
  EXPECT_EQ(main().folderButton(3).toolTip(), "移動先 (3)");
  for (int n : {1, 5, 6, 7}) QApplication::sendEvent(&main().speedButton(n), &hover);
  EXPECT_EQ(main().speedButton(1).toolTip(), "拡大表示 (Enter)");
  EXPECT_EQ(main().speedButton(5).toolTip(), "削除 (Delete)");
  EXPECT_EQ(main().speedButton(6).toolTip(), "元に戻す (Ctrl+Z)");
  EXPECT_EQ(main().speedButton(7).toolTip(), "ヘルプ表示 (F1)");
}
