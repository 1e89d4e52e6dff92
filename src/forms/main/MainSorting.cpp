#include "forms/main/MainSorting.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include "core/files/PathRules.h"
#include "core/sorting/SortPaths.h"
#include "core/sorting/SortToFolder.h"
#include "core/sorting/SortingTexts.h"
#include "core/sorting/UndoAction.h"
#include "forms/common/ByteText.h"
#include "forms/foldersettings/UFolderSett.h"
#include "forms/list/UList.h"
#include "forms/main/KeyCommands.h"
#include "forms/main/MainNavigation.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/samename/UWarning.h"
#include "platform/art/Artwork.h"
#include "platform/prompt/MessageBoxes.h"
#include "ui_MainUnit.h"

namespace tossbox {

namespace {

const QString kUnsetHint = QStringLiteral("ｸﾘｯｸしてﾌｫﾙﾀﾞを設定");
// The serial number cannot advance (not a number, or no wider number fits the store); the
// settings dialog would not have let it be applied, so it came from an old store.
const QString kSerialRefusedText = QStringLiteral(
    "連番を次へ進められないため、振分できませんでした。\nﾌｫﾙﾀﾞ設定で連番を直して下さい。");

constexpr int kGlyphUnsetSetup = 13;
constexpr int kGlyphSortingOffset = 6;

}  // namespace

MainSorting::MainSorting(Program& program, TForm1& window, Ui::TForm1& ui,
                         MainNavigation& navigation)
    : program_(program), window_(window), ui_(ui), navigation_(navigation) {}

int MainSorting::folderButtonNumber(const QObject* control) const {
  for (int n = 1; n <= kFolderButtonCount; ++n)
    if (control == &window_.folderButton(n)) return n;
  return 0;
}

bool MainSorting::sortingEvent(QWidget* control, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
      break;
    default:
      return false;
  }
  // While a dialog has disabled the window nothing may start a sort.
  if (!control->isEnabled()) return false;
  if (const int n = folderButtonNumber(control); n != 0) {
    QToolButton& button = window_.folderButton(n);
    switch (event->type()) {
      // The second press of a quick double click is a press too.
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        FLDBtn1MouseDown(button, static_cast<QMouseEvent*>(event)->button());
        return true;
      // Taken here: passed on, the move would reach the window, which resets the pointer.
      case QEvent::MouseMove:
        FLDBtn1MouseMove(button);
        return true;
      case QEvent::MouseButtonRelease:
        if (n == 1) FLDBtn1MouseUp();
        return true;
      case QEvent::ContextMenu:
        popupFolderMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
      default:
        return false;
    }
  }
  // The delete and undo buttons keep their own press and click; these only change glyphs.
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (control == ui_.SpeedButton5) {
    if (press) SpeedButton5MouseDown();
    if (release) SpeedButton5MouseUp();
  } else if (control == ui_.SpeedButton6) {
    if (press) SpeedButton6MouseDown();
    if (release) SpeedButton6MouseUp();
  }
  return false;
}

void MainSorting::popupFolderMenu(const QPoint& at) {
  const int width = window_.popupMenu1().sizeHint().width();
  window_.popupMenu1().popup(QPoint(at.x() - width / 2, at.y()));
}

void MainSorting::FLDBtn1MouseDown(QToolButton& sender, Qt::MouseButton button) {
  ui_.StaticText1->setFocus();
  window_.ReleaseSpeedButton3();
  const int n = folderButtonNumber(&sender);
  if (n == 0) return;
  SharedState& state = program_.state();
  state.currentButton = n;
  bool sortDone = false;
  const std::string& folder = state.settings.target(n).FolderPath;
  window_.action(QStringLiteral("N4")).setEnabled(!folder.empty());
  if (button == Qt::RightButton) {
    program_.screenCursor().reset();
    return;
  }
  Artwork& art = program_.art();
  sender.setText(byteText(LastPathPart(folder)));
  sender.setIcon(QIcon());
  if (program_.form2().listBox1().count() > 0 && !folder.empty()) {
    sender.setIcon(art.imageList1(n + kGlyphSortingOffset));
    sortDone = sortWithButton(n);
  } else {
    if (!folder.empty()) {
      sender.setIcon(art.imageList1(n));
    } else {
      state.chooserForSource = false;
      program_.folderSett().show();
      sender.setIcon(art.imageList1(kGlyphUnsetSetup));
    }
    window_.setStatusText(byteText(kChooseFolderText));
  }
  sender.repaint();
  navigation_.showPress();
  sender.setIcon(art.imageList1(n));
  sender.repaint();
  if (sortDone) AdvanceAfterAction();
}

bool MainSorting::sortWithButton(int n) {
  SharedState& state = program_.state();
  FolderTarget& target = state.settings.target(n);
  const std::string source = state.files.currentFile();
  const SortOutcome outcome = SortToFolder(program_.fileOperation(), target, source,
                                           buttonTargetPath(target.FolderPath, source));
  switch (outcome.step) {
    case SortStep::Sorted:
      break;
    case SortStep::Failed: {
      window_.setStatusText(byteText(outcome.operation.statusText()));
      break;
    }
    case SortStep::NeedsDecision:
      program_.form5().Ask(n, outcome.conflictSource, outcome.conflictTarget);
      break;
    case SortStep::SerialRefused:
      program_.boxes().error(kSerialRefusedText, &window_);
      break;
  }
  return outcome.advance();
}

void MainSorting::FLDBtn1MouseMove(QToolButton& sender) {
  const int n = folderButtonNumber(&sender);
  if (n == 0) return;
  const FolderTarget& target = program_.state().settings.target(n);
  int cursor = Pointer::UnsetFolder;
  if (target.FolderPath.empty()) {
    sender.setToolTip(unsetFolderButtonHint(n, kUnsetHint));
  } else {
    cursor = target.moves() ? Pointer::MoveToFolder : Pointer::CopyToFolder;
    sender.setToolTip(folderButtonHint(n, target.moves()));
  }
  sender.setCursor(program_.art().cursor(cursor));
  program_.screenCursor().set(sender.cursor());
}

void MainSorting::FLDBtn1MouseUp() {
  ui_.StaticText1->setFocus();
}

void MainSorting::N1Click() {
  program_.state().chooserForSource = false;
  program_.folderSett().show();
}

void MainSorting::N3Click() {
  program_.settingsBinding().LoadSettingsToControls();
}

// The dialog's fields may still hold what was typed before its cancel: they are loaded with the
// button's own settings first, so that only the mode changes.
void MainSorting::Copy1Click() {
  program_.settingsBinding().LoadFolderTargetToControls();
  window_.setMovesOnPress(false);
  program_.settingsBinding().StoreControlsToSettings(StoreCaller::FolderTarget);
}

void MainSorting::GoTo1Click() {
  program_.settingsBinding().LoadFolderTargetToControls();
  window_.setMovesOnPress(true);
  program_.settingsBinding().StoreControlsToSettings(StoreCaller::FolderTarget);
}

void MainSorting::N4Click() {
  const int n = program_.state().currentButton;
  if (n < 1 || n > kFolderButtonCount) return;
  const std::string& folder = program_.state().settings.target(n).FolderPath;
  if (!folder.empty()) program_.opener().openFolder(folder);
}

void MainSorting::AdvanceAfterAction() {
  EntryListBox& list = program_.form2().listBox1();
  const int index = list.selectedIndex();
  if (index < list.count() - 1) {
    list.setSelectedIndex(index + 1);
    program_.state().rememberedListPosition = index + 1;
  }
  navigation_.ShowCurrent();
}

void MainSorting::SpeedButton5MouseDown() {
  ui_.SpeedButton5->setIcon(program_.art().imageList3(ButtonImage::TrashPressed));
}

void MainSorting::SpeedButton5Click() {
  window_.setStatusText(QString());
  QToolButton& button = *ui_.SpeedButton5;
  if (program_.form2().listBox1().count() == 0) {
    window_.setStatusText(byteText(kNothingToTrashText));
    button.setDown(false);
    return;
  }
  const SharedState& state = program_.state();
  const int n = state.currentButton;
  const bool serialName =
      n >= 1 && n <= kFolderButtonCount && state.settings.target(n).renamesSerially();
  const OperationResult result =
      program_.fileOperation().run(ActionKind::Trash, state.files.currentFile(), {}, serialName);
  if (result.ok()) {
    AdvanceAfterAction();
  } else {
    const std::string_view text = result.statusText();
    window_.setStatusText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
  button.setDown(false);
  button.setIcon(program_.art().imageList3(ButtonImage::TrashAtRest));
}

void MainSorting::SpeedButton5MouseUp() {
  ui_.SpeedButton5->setIcon(program_.art().imageList3(ButtonImage::TrashAtRest));
}

void MainSorting::SpeedButton6MouseDown() {
  const std::optional<std::size_t> index = program_.form2().selectedHistoryIndex();
  const bool undoable = index.has_value() && !program_.history().entry(*index).undone();
  ui_.SpeedButton6->setIcon(
      program_.art().imageList3(undoable ? ButtonImage::UndoPressed : ButtonImage::NothingToUndo));
}

void MainSorting::SpeedButton6Click() {
  window_.setStatusText(QString());
  QToolButton& button = *ui_.SpeedButton6;
  if (program_.history().empty()) {
    button.setIcon(program_.art().imageList3(ButtonImage::NothingToUndo));
    window_.setStatusText(
        QString::fromUtf8(kNoHistoryText.data(), static_cast<qsizetype>(kNoHistoryText.size())));
  } else {
    program_.form2().UndoSelected();
  }
  button.setIcon(program_.art().imageList3(ButtonImage::UndoAtRest));
  button.setDown(false);
}

void MainSorting::SpeedButton6MouseUp() {
  ui_.SpeedButton6->setIcon(program_.art().imageList3(ButtonImage::UndoAtRest));
  ui_.SpeedButton6->repaint();
}

}  // namespace tossbox
