#include "forms/folderselect/FolderCreation.h"

#include "forms/common/ByteText.h"

#include <filesystem>
#include <system_error>

#include "core/shellns/FolderHandle.h"
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
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path), error);
  if (!error && !isExistingFolder(path)) error = std::make_error_code(std::errc::not_a_directory);
  if (error) {
    reportFailure(boxes, owner, path, QString::fromLocal8Bit(error.message()));
    return false;
  }
  return true;
}

}  // namespace tossbox
