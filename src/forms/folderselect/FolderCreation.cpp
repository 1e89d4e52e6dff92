#include "forms/folderselect/FolderCreation.h"

#include "forms/common/ByteText.h"

#include <system_error>

#include "core/sorting/FileTransfer.h"
#include "platform/prompt/MessageBoxes.h"

namespace tossbox {

namespace {

void reportFailure(MessageBoxes& boxes, QWidget* owner, const std::string& path,
                   const QString& reason) {
  boxes.error(
      QStringLiteral("フォルダを作成できませんでした（%1: %2）").arg(byteText(path), reason),
      owner);
}

}  // namespace

bool createFolderWithParents(MessageBoxes& boxes, QWidget* owner, const std::string& path) {
  if (path.empty() || path.front() != '/') {
    reportFailure(boxes, owner, path, QStringLiteral("絶対パスではありません"));
    return false;
  }
  if (const std::error_code error = makeFolders(path)) {
    reportFailure(boxes, owner, path, QString::fromLocal8Bit(error.message()));
    return false;
  }
  return true;
}

}  // namespace tossbox
