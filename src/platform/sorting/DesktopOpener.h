#pragma once
// Opens a folder, a file or the trash in the desktop's own programs. A path goes as a file URL
// built from its bytes (percent-encoded, so names with blanks or bytes that are not UTF-8
// arrive intact) and never passes through a shell. A failed open is not reported to the user.
#include <QUrl>
#include <functional>
#include <string>

namespace tossbox {

class DesktopOpener {
 public:
  using Opener = std::function<bool(const QUrl&)>;

  // Opens through QDesktopServices.
  DesktopOpener();
  // Opens through `opener`; tests see the URLs instead of starting programs.
  explicit DesktopOpener(Opener opener) : opener_(std::move(opener)) {}

  bool openFolder(const std::string& folder) { return opener_(fileUrl(folder)); }
  bool openFile(const std::string& file) { return opener_(fileUrl(file)); }
  bool openTrash() { return opener_(trashUrl()); }

  // The file URL of a path; a relative path counts from the current folder.
  [[nodiscard]] static QUrl fileUrl(const std::string& path);
  [[nodiscard]] static QUrl trashUrl() { return QUrl(QStringLiteral("trash:///")); }

 private:
  Opener opener_;
};

}  // namespace tossbox
