// The list window's lower half: the history lines in ListBox2, kept in step
// with the program's history, undo from them, and their menu (clear, save).
#include <QAction>
#include <QContextMenuEvent>
#include <QDate>
#include <QListWidget>
#include <QMouseEvent>
#include <chrono>
#include <system_error>

#include "core/files/PathRules.h"
#include "core/sorting/FileTransfer.h"
#include "core/sorting/HistoryLog.h"
#include "forms/common/ByteText.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "platform/prompt/MessageBoxes.h"

namespace tossbox {

namespace {

const QString kLogFilter = QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.TXT");

std::chrono::year_month_day today() {
  const QDate date = QDate::currentDate();
  return std::chrono::year_month_day{std::chrono::year(date.year()),
                                     std::chrono::month(static_cast<unsigned>(date.month())),
                                     std::chrono::day(static_cast<unsigned>(date.day()))};
}

}  // namespace

bool TForm2::replaceLogAgreed(const std::string& path) {
  const QString question =
      QStringLiteral("「%1」は既にあります。\n置き換えますか？（古いﾌｧｲﾙはゴミ箱へ捨てます。）")
          .arg(byteText(LastPathPart(path)));
  return program().boxes().confirm(question, this) == BoxAnswer::Yes;
}

void TForm2::historyAppended(std::size_t index) {
  listBox2_->addItem(byteText(program().history().line(index)));
  selectNewestHistoryLine();
}

void TForm2::historyCleared() {
  listBox2_->clear();
}

void TForm2::historyLineChanged(std::size_t index) {
  const HistoryList& history = program().history();
  if (index >= history.size() || static_cast<int>(index) >= listBox2_->count()) return;
  listBox2_->item(static_cast<int>(index))->setText(byteText(history.line(index)));
}

void TForm2::selectNewestHistoryLine() {
  if (listBox2_->count() == 0) return;
  listBox2_->setCurrentRow(listBox2_->count() - 1);
  listBox2_->scrollToBottom();
}

std::optional<std::size_t> TForm2::selectedHistoryIndex() {
  const HistoryList& history = program().history();
  if (history.empty()) return std::nullopt;
  const QList<QListWidgetItem*> selected = listBox2_->selectedItems();
  const int row = selected.isEmpty() ? -1 : listBox2_->row(selected.front());
  if (row < 0 || static_cast<std::size_t>(row) >= history.size()) return history.size() - 1;
  return static_cast<std::size_t>(row);
}

UndoOutcome TForm2::UndoSelected() {
  TForm1& main = program().form1();
  const std::optional<std::size_t> index = selectedHistoryIndex();
  if (!index) return {UndoResult::Refused};
  const UndoOutcome outcome = UndoAction(program().fileOperation(), *index);
  if (outcome.openTrash()) program().opener().openTrash();
  if (outcome.succeeded()) {
    if (*index > 0) listBox2_->setCurrentRow(static_cast<int>(*index) - 1);
    main.ShowCurrent();
  }
  // After showing the file, which names it in the status line, so that the outcome is read.
  main.setStatusText(byteText(outcome.statusText()));
  return outcome;
}

bool TForm2::listBox2Event(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
      if (button != Qt::RightButton) return false;
      ListBox2MouseDown(button);
      return true;
    }
    case QEvent::MouseMove:
      program().screenCursor().reset();
      return false;
    case QEvent::ContextMenu:
      popupMenu1_.popup(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    default:
      return false;
  }
}

void TForm2::ListBox2MouseDown(Qt::MouseButton button) {
  if (button != Qt::RightButton) return;
  const std::optional<std::size_t> index = selectedHistoryIndex();
  const bool lines = listBox2_->count() > 0 && index.has_value();
  action(QStringLiteral("Undo1")).setEnabled(lines && !program().history().entry(*index).undone());
  action(QStringLiteral("N15")).setEnabled(lines);
  action(QStringLiteral("N13")).setEnabled(lines);
}

void TForm2::Undo1Click() {
  (void)UndoSelected();
}

void TForm2::N15Click() {
  program().history().clear();
}

void TForm2::N13Click() {
  SaveFileRequest request;
  request.owner = this;
  request.filter = kLogFilter;
  request.proposedName = QString::fromStdString(proposedLogName(today()));
  // ".txt" is appended to whatever is chosen, so the dialog's own overwrite question would name
  // another file: it is asked below, for the file really written.
  request.confirmOverwrite = false;
  const std::optional<std::string> chosen = program().chooseSaveFile(request);
  if (!chosen) return;
  const std::string path = logFilePath(*chosen);
  if (entryAt(path) == Entry::File && !replaceLogAgreed(path)) return;
  try {
    writeHistoryLog(path, historyLogBytes(program().history().lines()),
                    program().fileOperation().trash());
  } catch (const std::system_error& error) {
    program().boxes().error(QString::fromUtf8(error.what()), this);
  }
}

}  // namespace tossbox
