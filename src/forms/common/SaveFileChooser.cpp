#include "forms/common/SaveFileChooser.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

namespace tossbox {

namespace {

// Qt reads the patterns from the parentheses at the end of a filter; the description is kept
// as it is and those parentheses are hidden.
QString qtFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf(QLatin1Char('|'));
  if (bar < 0) return filter;
  return filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1) + QLatin1Char(')');
}

}  // namespace

std::optional<std::string> askSaveFile(const SaveFileRequest& request) {
  QFileDialog dialog(request.owner);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(qtFilter(request.filter));
  const QString folder = QFile::decodeName(QByteArray::fromStdString(request.folder));
  dialog.setDirectory(folder.isEmpty() || !QDir(folder).exists() ? QDir::currentPath() : folder);
  dialog.selectFile(request.proposedName);
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

}  // namespace tossbox
