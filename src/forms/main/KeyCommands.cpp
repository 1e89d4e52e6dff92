#include "forms/main/KeyCommands.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QToolButton>
#include <array>

#include "forms/about/About.h"
#include "forms/folderselect/NewFLD.h"
#include "forms/folderselect/UFileSelect.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/samename/UWarning.h"

namespace tossbox {

namespace {

// X11 key codes of the digits 1 to 6 on the main row and on the keypad.
constexpr std::array<quint32, 6> kMainRowCodes{10, 11, 12, 13, 14, 15};
constexpr std::array<quint32, 6> kKeypadCodes{87, 88, 89, 83, 84, 85};

int digitOfCode(quint32 code) {
  for (std::size_t i = 0; i < kMainRowCodes.size(); ++i)
    if (code == kMainRowCodes[i] || code == kKeypadCodes[i]) return static_cast<int>(i) + 1;
  return 0;
}

std::optional<KeyCommand> plainKeyCommand(int key) {
  switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Space:
    case Qt::Key_PageDown:
      return KeyCommand{KeyAction::Forward};
    case Qt::Key_Left:
    case Qt::Key_Backspace:
    case Qt::Key_PageUp:
      return KeyCommand{KeyAction::Back};
    case Qt::Key_Home:
      return KeyCommand{KeyAction::First};
    case Qt::Key_End:
      return KeyCommand{KeyAction::Last};
    case Qt::Key_Delete:
      return KeyCommand{KeyAction::Trash};
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return KeyCommand{KeyAction::Enlarge};
    case Qt::Key_F1:
      return KeyCommand{KeyAction::Help};
    default:
      return std::nullopt;
  }
}

class KeyCommandFilter : public QObject {
 public:
  KeyCommandFilter(Program& program, QWidget& window)
      : QObject(&window), program_(program), window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<KeyCommand> command =
        commandForKey(key->key(), key->modifiers(), x11KeyCodeOf(*key));
    if (!command || dialogOpen()) return false;
    // Taken either way, so that a held key does not reach a list box underneath.
    if (!key->isAutoRepeat() || repeatsWhenHeld(command->action)) perform(*command);
    return true;
  }

 private:
  static std::optional<quint32> x11KeyCodeOf(const QKeyEvent& key) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
    return key.nativeScanCode();
  }

  // Every dialog disables the windows the keys work in, and the program's boxes are modal.
  bool dialogOpen() const {
    if (QApplication::activeModalWidget() != nullptr) return true;
    if (!window_.isEnabled() || !program_.form1().isEnabled()) return true;
    const std::array<const QWidget*, 6> dialogs{&program_.folderSett(), &program_.fSyurui(),
                                                &program_.form5(),      &program_.form8(),
                                                &program_.form9(),      &program_.stvAbout()};
    for (const QWidget* dialog : dialogs)
      if (dialog->isVisible()) return true;
    return false;
  }

  void showEntry(bool last) {
    EntryListBox& list = program_.form2().listBox1();
    if (list.count() == 0) return;
    const int index = last ? list.count() - 1 : 0;
    list.setSelectedIndex(index);
    program_.state().rememberedListPosition = index;
    program_.form1().ShowCurrent();
  }

  void perform(const KeyCommand& command) {
    TForm1& main = program_.form1();
    switch (command.action) {
      case KeyAction::Sort:
        main.FLDBtn1MouseDown(main.folderButton(command.button), Qt::LeftButton);
        if (command.button == 1) main.FLDBtn1MouseUp();
        return;
      case KeyAction::Select:
        main.FLDBtn1MouseDown(main.folderButton(command.button), Qt::RightButton);
        return;
      case KeyAction::Forward:
      case KeyAction::Back:
        main.Image1MouseDown(command.action == KeyAction::Forward ? Qt::LeftButton
                                                                  : Qt::RightButton);
        main.Image1MouseUp();
        return;
      case KeyAction::First:
      case KeyAction::Last:
        main.ReleaseSpeedButton3();
        showEntry(command.action == KeyAction::Last);
        return;
      case KeyAction::Trash:
        main.SpeedButton5MouseDown();
        main.speedButton(5).click();
        return;
      case KeyAction::Undo:
        main.SpeedButton6MouseDown();
        main.speedButton(6).click();
        main.SpeedButton6MouseUp();
        return;
      case KeyAction::Enlarge:
        main.speedButton(1).click();
        return;
      case KeyAction::Help:
        main.speedButton(7).click();
        return;
    }
  }

  Program& program_;
  QWidget& window_;
};

}  // namespace

std::optional<KeyCommand> commandForKey(int key, Qt::KeyboardModifiers modifiers,
                                        std::optional<quint32> x11KeyCode) {
  const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
  const bool shifted = held == Qt::ShiftModifier;
  if (key >= Qt::Key_1 && key <= Qt::Key_6 && (held == Qt::NoModifier || shifted))
    return KeyCommand{shifted ? KeyAction::Select : KeyAction::Sort, key - Qt::Key_0};
  // Before the plain keys: Shift with keypad 1 is End where Num Lock is on.
  if (shifted && x11KeyCode)
    if (const int digit = digitOfCode(*x11KeyCode); digit != 0)
      return KeyCommand{KeyAction::Select, digit};
  if (key == Qt::Key_Z && held == Qt::ControlModifier) return KeyCommand{KeyAction::Undo};
  if (held != Qt::NoModifier) return std::nullopt;
  return plainKeyCommand(key);
}

bool repeatsWhenHeld(KeyAction action) {
  return action == KeyAction::Forward || action == KeyAction::Back;
}

QString hintWithKey(const QString& objectName, const QString& hint) {
  static const std::array<std::pair<const char*, const char*>, 4> keys{{{"SpeedButton1", "Enter"},
                                                                        {"SpeedButton5", "Delete"},
                                                                        {"SpeedButton6", "Ctrl+Z"},
                                                                        {"SpeedButton7", "F1"}}};
  for (const auto& [name, key] : keys)
    if (objectName == QLatin1String(name)) return hint + QStringLiteral(" (%1)").arg(key);
  return hint;
}

QString folderButtonHint(int number, bool moves) {
  const QString where = moves ? QStringLiteral("移動先") : QStringLiteral("ｺﾋﾟｰ先");
  return where + QStringLiteral(" (%1)").arg(number);
}

QString unsetFolderButtonHint(int number, const QString& hint) {
  return hint + QStringLiteral(" (%1)").arg(number);
}

void installKeyCommands(Program& program, QWidget& window) {
  new KeyCommandFilter(program, window);
}

}  // namespace tossbox
