#pragma once
// The keyboard face of the main window's buttons: 1 to 6 press the folder buttons as a left click
// does and Shift with a digit as the right button does; Right, Space and PageDown step forward
// and Left, Backspace and PageUp back as clicks on the picture do; Home and End go to the first
// and the last entry; Delete, Ctrl+Z, Enter and F1 press their tool buttons. A window takes the
// keys with installKeyCommands; they act only while no dialog is open.
#include <QString>
#include <Qt>
#include <optional>

class QWidget;

namespace tossbox {

class Program;

enum class KeyAction { Sort, Select, Forward, Back, First, Last, Trash, Undo, Enlarge, Help };

struct KeyCommand {
  KeyAction action = KeyAction::Forward;
  int button = 0;  // Sort and Select: the folder button, 1 to 6

  bool operator==(const KeyCommand&) const = default;
};

// The command of a key press. `x11KeyCode` is the key's code where the window system gives one:
// a layout turns Shift with a digit into another sign ("!", "\"", ...), and the code still says
// which digit key it was.
[[nodiscard]] std::optional<KeyCommand> commandForKey(int key, Qt::KeyboardModifiers modifiers,
                                                      std::optional<quint32> x11KeyCode);

// Only steps go on while a key is held: a repeated sort or delete would act on files the user
// has not seen.
[[nodiscard]] bool repeatsWhenHeld(KeyAction action);

// A control's hint with its key after it, "削除 (Delete)"; the hint alone for controls that have
// no key.
[[nodiscard]] QString hintWithKey(const QString& objectName, const QString& hint);
// The hint of a folder button that has a folder: where a press puts the file, and the key.
[[nodiscard]] QString folderButtonHint(int number, bool moves);
// The hint of a folder button that has none yet.
[[nodiscard]] QString unsetFolderButtonHint(int number, const QString& hint);

// Lets `window` (the main window, the list window or the viewer) take the keys above. The
// filter lives as long as the window.
void installKeyCommands(Program& program, QWidget& window);

}  // namespace tossbox
