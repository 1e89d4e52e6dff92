#include "forms/help/HelpWindow.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

namespace tossbox {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 560;
constexpr int kMinWidth = 360;
constexpr int kGap = 10;

QString listOf(const QStringList& paths) {
  QString items;
  for (const QString& path : paths)
    items += QStringLiteral("<li>%1</li>").arg(path.toHtmlEscaped());
  return QStringLiteral("<ul>%1</ul>").arg(items);
}

}  // namespace

HelpWindow::HelpWindow()
    : QWidget(nullptr, Qt::Window), browser_(new QTextBrowser(this)), folders_(helpFolders()) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Tossbox ヘルプ"));
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  // Links inside the guide move within it; nothing leaves the window.
  browser_->setOpenExternalLinks(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(kWidth, kHeight);
}

void HelpWindow::showText(const QString& html) {
  browser_->setSource(QUrl());
  browser_->setHtml(html);
}

void HelpWindow::showContents() {
  const HelpFileSearch search = findHelpFile(folders_);
  if (!search.found) {
    showText(QStringLiteral("<h2>ヘルプファイル「%1」が見つかりません。</h2>"
                            "<p>次の場所を探しました。</p>%2")
                 .arg(kHelpFileName, listOf(search.searched)));
    return;
  }
  const QFileInfo file(*search.found);
  if (file.size() > kMaxHelpFileBytes) {
    showText(QStringLiteral("<h2>ヘルプファイル「%1」が大きすぎるため表示できません。</h2>"
                            "<p>%2（%3バイト）</p>")
                 .arg(kHelpFileName, search.found->toHtmlEscaped())
                 .arg(file.size()));
    return;
  }
  const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
  // The file may have changed since the last opening; the contents are its top.
  if (browser_->source() == url)
    browser_->reload();
  else
    browser_->setSource(url, QTextDocument::HtmlResource);
  browser_->verticalScrollBar()->setValue(0);
  browser_->horizontalScrollBar()->setValue(0);
}

void HelpWindow::placeBeside(const QRect& frame) {
  const QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect area = screen->availableGeometry();
  const int roomRight = area.right() - frame.right() - kGap;
  const int roomLeft = frame.left() - area.left() - kGap;
  const bool right = roomRight >= roomLeft;
  // Narrower beside the main window rather than under it; on a very small screen it goes to
  // the edge with the most room and the always-on-top main window stays above it.
  const int width = std::clamp(std::max(roomRight, roomLeft), kMinWidth, kWidth);
  resize(width, std::min(kHeight, area.height()));
  const int left = right ? std::min(frame.right() + 1 + kGap, area.right() + 1 - width)
                         : std::max(frame.left() - kGap - width, area.left());
  const int top =
      std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - height()));
  move(left, top);
}

}  // namespace tossbox
