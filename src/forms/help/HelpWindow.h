#pragma once
// The help window: the guide in the help file, opened at its contents. It is not one of the
// program's ten windows: the main window's help button opens it, closing the main window
// closes it, and it never disables the others.
#include <QStringList>
#include <QWidget>
#include <utility>

#include "forms/help/HelpFile.h"

class QTextBrowser;

namespace tossbox {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // Larger help files are refused rather than read: the guide is a few dozen kilobytes.
  static constexpr qint64 kMaxHelpFileBytes = 8 * 1024 * 1024;

  HelpWindow();

  // Where the help file is looked for; the program's folders unless set.
  void setFolders(QStringList folders) { folders_ = std::move(folders); }
  // Shows the help file from its top, or says in the window why there is nothing to show.
  void showContents();
  // Puts the window beside the given frame on the screen it is on, on the side with more room,
  // narrowed to that room down to a readable width.
  void placeBeside(const QRect& frame);
  void quit() { close(); }

  [[nodiscard]] QTextBrowser& browser() const { return *browser_; }

 private:
  void showText(const QString& html);

  QTextBrowser* browser_;
  QStringList folders_;
};

}  // namespace tossbox
