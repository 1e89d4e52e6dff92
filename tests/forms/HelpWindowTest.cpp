// The help button, the help window and the guide it shows.
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <set>

#include "ProgramFixture.h"
#include "forms/help/HelpFile.h"
#include "forms/help/HelpWindow.h"

namespace fs = std::filesystem;

namespace {

const QString kGuideFolder = QStringLiteral(TOSSBOX_TEST_SOURCE_DIR "/../resources/help");

QString guideText() {
  QFile file(kGuideFolder + QStringLiteral("/VUVUV.ozi"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QString q(const fs::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace

class HelpWindowTest : public ProgramTest {
 protected:
  tossbox::HelpWindow& help() { return main().helpWindow(); }
  QToolButton& helpButton() { return main().speedButton(7); }
  QString shownText() { return help().browser().toPlainText(); }
};

TEST_F(HelpWindowTest, HelpButtonOpensTheGuideAtItsContentsAndSpringsBack) {
  start();
  help().setFolders({kGuideFolder});
  // The button up: nothing is opened.
  main().SpeedButton7Click();
  EXPECT_FALSE(help().isVisible());

  helpButton().click();
  ASSERT_TRUE(help().isVisible());
  EXPECT_FALSE(helpButton().isChecked());
  EXPECT_EQ(QFileInfo(help().browser().source().toLocalFile()).canonicalFilePath(),
            QFileInfo(kGuideFolder + QStringLiteral("/VUVUV.ozi")).canonicalFilePath());
  EXPECT_TRUE(shownText().contains(QStringLiteral("目次")));
  // A main window of its own, not one of the program's dialogs over the others.
  EXPECT_TRUE(help().isWindow());
  EXPECT_FALSE(main().isHidden());

  // Read further down, the next opening starts from the contents again.
  QScrollBar& scroll = *help().browser().verticalScrollBar();
  ASSERT_GT(scroll.maximum(), 0);
  scroll.setValue(scroll.maximum());
  helpButton().click();
  EXPECT_EQ(scroll.value(), 0);
  EXPECT_FALSE(helpButton().isChecked());
}

TEST_F(HelpWindowTest, AMissingHelpFileIsSaidInTheWindowUntilItIsThere) {
  start();
  const fs::path nowhere = home.makeDir("no help here");
  const fs::path later = home.makeDir("help with spaces");
  help().setFolders({q(nowhere), q(later)});
  helpButton().click();
  ASSERT_TRUE(help().isVisible());
  EXPECT_TRUE(
      shownText().contains(QStringLiteral("ヘルプファイル「VUVUV.ozi」が見つかりません。")));
  EXPECT_TRUE(shownText().contains(q(nowhere / "VUVUV.ozi")));
  EXPECT_TRUE(shownText().contains(q(later / "VUVUV.ozi")));
  EXPECT_FALSE(helpButton().isChecked());

  // Put in place, it is shown at the next click; taken away, it is missed again.
  touch(later / "VUVUV.ozi", "<html><body><h1 id=\"contents\">目次</h1></body></html>");
  helpButton().click();
  EXPECT_EQ(shownText(), QStringLiteral("目次"));
  fs::remove(later / "VUVUV.ozi");
  helpButton().click();
  EXPECT_TRUE(shownText().contains(QStringLiteral("見つかりません")));
  touch(later / "VUVUV.ozi", "<html><body><p>改訂版</p></body></html>");
  helpButton().click();
  EXPECT_EQ(shownText(), QStringLiteral("改訂版"));
  // Something far larger than any guide is not read.
  fs::resize_file(later / "VUVUV.ozi", tossbox::HelpWindow::kMaxHelpFileBytes + 1);
  helpButton().click();
  EXPECT_TRUE(shownText().contains(QStringLiteral("大きすぎるため表示できません")));
}

TEST_F(HelpWindowTest, ClosingTheMainWindowClosesHelp) {
  // Closed as a window is closed, not only hidden with the program's other windows.
  struct CloseCounter : QObject {
    int closes = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Close) ++closes;
      return false;
    }
  } counter;
  start();
  help().setFolders({kGuideFolder});
  helpButton().click();
  ASSERT_TRUE(help().isVisible());
  help().installEventFilter(&counter);
  main().close();
  EXPECT_EQ(counter.closes, 1);
  EXPECT_FALSE(help().isVisible());
  help().removeEventFilter(&counter);
}

TEST(HelpFile, FoundBesideTheProgramBeforeTheInstalledDataFolders) {
  TempHome home;
  const fs::path prefix = home.makeDir("prefix");
  const fs::path bin = prefix / "bin";
  const fs::path data = home.makeDir("data");
  fs::create_directories(bin);
  auto write = [](const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "<html></html>";
  };
  const QStringList folders = tossbox::helpFoldersFor(q(bin), {q(data)});

  EXPECT_FALSE(tossbox::findHelpFile(folders).found);
  EXPECT_EQ(tossbox::findHelpFile(folders).searched.size(), 3);
  write(data / "tossbox" / "VUVUV.ozi");
  EXPECT_EQ(tossbox::findHelpFile(folders).found, q(data / "tossbox" / "VUVUV.ozi"));
  // The installed layout: bin/tossbox with share/tossbox/VUVUV.ozi beside bin.
  write(prefix / "share" / "tossbox" / "VUVUV.ozi");
  EXPECT_EQ(tossbox::findHelpFile(folders).found, q(prefix / "share" / "tossbox" / "VUVUV.ozi"));
  write(bin / "VUVUV.ozi");
  EXPECT_EQ(tossbox::findHelpFile(folders).found, q(bin / "VUVUV.ozi"));
  // A folder of that name is no help file.
  fs::remove(bin / "VUVUV.ozi");
  fs::create_directories(bin / "VUVUV.ozi");
  EXPECT_EQ(tossbox::findHelpFile(folders).found, q(prefix / "share" / "tossbox" / "VUVUV.ozi"));
}

TEST_F(HelpWindowTest, TheGuideCoversEveryMenuItemAndButtonWithPicturesThatExist) {
  const QString guide = guideText();
  ASSERT_FALSE(guide.isEmpty());
  start();
  // Every caption the main window's menus show, and every tool button's hint.
  std::vector<QString> captions;
  std::function<void(const QMenu&)> collect = [&](const QMenu& menu) {
    for (const QAction* item : menu.actions()) {
      if (!item->isSeparator()) captions.push_back(item->text());
      if (item->menu() != nullptr) collect(*item->menu());
    }
  };
  for (QMenu* menu : {&main().popupMenu1(), &main().popupMenu2(), &main().trayMenu()})
    collect(*menu);
  ASSERT_GE(captions.size(), 15u);
  for (const char* hint : {"拡大表示", "振分ﾌｧｲﾙ一覧", "元に戻す", "削除", "振分ﾌｧｲﾙ数",
                           "振分ﾌｧｲﾙﾒﾆｭｰ", "終了", "ヘルプ表示", "ﾀﾞﾌﾞﾙｸﾘｯｸでｱｲｺﾝ化"})
    captions.push_back(QString::fromUtf8(hint));
  for (const QString& caption : captions)
    EXPECT_TRUE(guide.contains(caption)) << caption.toStdString();

  // Every picture is a small PNG beside the guide; every link inside it lands.
  const QRegularExpression picture(QStringLiteral("<img[^>]*src=\"([^\"]+)\""));
  int pictures = 0;
  for (const auto& match : picture.globalMatch(guide)) {
    const QString source = match.captured(1);
    QFile file(kGuideFolder + QLatin1Char('/') + source);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << source.toStdString();
    EXPECT_TRUE(source.startsWith(QStringLiteral("pictures/"))) << source.toStdString();
    EXPECT_TRUE(file.read(8).startsWith("\x89PNG")) << source.toStdString();
    EXPECT_LT(file.size(), 100 * 1024) << source.toStdString();
    ++pictures;
  }
  EXPECT_GE(pictures, 5);
  EXPECT_LE(pictures, 12);
  std::set<QString> anchors;
  const QRegularExpression anchor(QStringLiteral("(?:id|name)=\"([^\"]+)\""));
  for (const auto& match : anchor.globalMatch(guide)) anchors.insert(match.captured(1));
  const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
  int links = 0;
  for (const auto& match : link.globalMatch(guide)) {
    EXPECT_TRUE(anchors.count(match.captured(1)) == 1) << match.captured(1).toStdString();
    ++links;
  }
  EXPECT_GE(links, 10);
}

TEST_F(HelpWindowTest, TheHelpWindowOpensBesideTheMainWindowOnTheScreen) {
  start();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  tossbox::HelpWindow& window = help();
  for (const QRect& frame : {QRect(screen.left(), screen.top() + 40, 219, 324),
                             QRect(screen.right() + 1 - 219, screen.top(), 219, 402)}) {
    window.placeBeside(frame);
    const QRect placed(window.pos(), window.size());
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y();
    EXPECT_FALSE(placed.intersects(frame)) << placed.x() << " beside " << frame.x();
    EXPECT_GE(placed.width(), 300);
  }
}
