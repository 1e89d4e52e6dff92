// Files and folders dropped from a file manager on the main window: the control under the
// pointer decides what happens.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

#include "ProgramFixture.h"
#include "forms/list/UList.h"
#include "forms/picture/PictureControl.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

// A uri-list as a file manager writes it: every byte of a path that is not plain ASCII
// percent-encoded, so names that are not UTF-8 arrive as they are.
QByteArray uriList(const std::vector<std::string>& paths) {
  QByteArray list;
  for (const std::string& path : paths) {
    list += "file://" +
            QByteArray(path.data(), static_cast<qsizetype>(path.size())).toPercentEncoding("/") +
            "\r\n";
  }
  return list;
}

}  // namespace

class DropTest : public ProgramTest {
 protected:
  // Drags `data` over `control` and drops it there; the drop action the file manager is told.
  Qt::DropAction dropOn(QWidget& control, const QByteArray& data) {
    QMimeData mime;
    mime.setData(QStringLiteral("text/uri-list"), data);
    const QPoint at = control.mapTo(&main(), QPoint(1, 1));
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), offered, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&main(), &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  }
  Qt::DropAction dropOn(QWidget& control, const std::vector<fs::path>& paths) {
    std::vector<std::string> bytes;
    for (const fs::path& path : paths) bytes.push_back(path.string());
    return dropOn(control, uriList(bytes));
  }
  QWidget& named(const char* name) { return *main().findChild<QWidget*>(QLatin1String(name)); }
  const SortList& list() { return program->state().files.sortList(); }
  std::string storeText() {
    std::ifstream in(storeFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(DropTest, DropsOnThePreviewLoadEveryPathInOrder) {
  const fs::path folder = home.makeDir("dropped folder");
  touch(folder / "a.jpg");
  touch(folder / "b.txt");
  touch(folder / "skipped.doc");
  const fs::path loose = home.makeDir("loose");
  touch(loose / "x.jpg");
  touch(loose / "y.xyz");
  touch(loose / "letter.doc");
  start();

  // The file manager is told "copied": told "moved", it would delete what was dropped.
  EXPECT_EQ(dropOn(main().image1(), {folder, loose / "x.jpg", loose / "y.xyz"}), Qt::CopyAction);
  ASSERT_EQ(list().size(), 3u);
  EXPECT_EQ(fs::path(list().path(0)).parent_path(), folder);
  EXPECT_EQ(fs::path(list().path(1)).parent_path(), folder);
  EXPECT_EQ(list().path(2), (loose / "x.jpg").string());
  EXPECT_EQ(main().staticText1().text(), "1/3");
  EXPECT_TRUE(fs::exists(loose / "x.jpg"));

  // A .doc by itself is taken; a further drop appends and shows its first file.
  dropOn(named("Panel2"), {loose / "letter.doc"});
  ASSERT_EQ(list().size(), 4u);
  EXPECT_EQ(list().path(3), (loose / "letter.doc").string());
  EXPECT_EQ(main().staticText1().text(), "4/4");
  dropOn(named("Panel1"), {loose / "letter.doc"});
  EXPECT_EQ(list().size(), 5u);
  EXPECT_EQ(main().staticText1().text(), "5/5");
}

TEST_F(DropTest, AFolderOnAButtonBecomesItsTargetUntilTheNextSave) {
  const fs::path photos = home.makeDir("Photos");
  fs::create_directories(photos / "2001");
  fs::create_directories(photos / "2002");
  start();
  const std::string storedBefore = storeText();
  const QString caption2 = main().folderButton(2).text();

  dropOn(main().folderButton(3), {photos / "2001", photos / "2002"});
  const SharedState& state = program->state();
  EXPECT_EQ(state.currentButton, 3);
  EXPECT_EQ(state.settings.target(3).FolderPath, (photos / "2001").string());
  EXPECT_EQ(main().folderButton(3).text(), "2001");
  EXPECT_EQ(main().folderButton(2).text(), caption2);
  EXPECT_TRUE(state.settings.target(2).FolderPath.empty());
  EXPECT_TRUE(list().empty());
  EXPECT_EQ(storeText(), storedBefore);

  program->settingsBinding().SaveSettings();
  start();
  EXPECT_EQ(program->state().settings.target(3).FolderPath, (photos / "2001").string());
  EXPECT_EQ(main().folderButton(3).text(), "2001");
}

TEST_F(DropTest, FilesOnButtonsAndDropsElsewhereChangeNothing) {
  const fs::path folder = home.makeDir("somewhere");
  touch(folder / "a.jpg");
  start();
  const QString caption = main().folderButton(2).text();

  dropOn(main().folderButton(2), {folder / "a.jpg", folder});
  dropOn(named("StatusBar1"), {folder});
  dropOn(main().staticText1(), {folder / "a.jpg"});
  dropOn(main().speedButton(1), {folder});
  EXPECT_EQ(program->state().currentButton, 0);
  EXPECT_TRUE(program->state().settings.target(2).FolderPath.empty());
  EXPECT_EQ(main().folderButton(2).text(), caption);
  EXPECT_TRUE(list().empty());

  // Only local files are taken.
  QMimeData web;
  web.setUrls({QUrl(QStringLiteral("https://example.org/a.jpg"))});
  QDragEnterEvent enter(main().image1().mapTo(&main(), QPoint(1, 1)), Qt::CopyAction, &web,
                        Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&main(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST_F(DropTest, PathsAreTakenWholeAndAsTheirBytes) {
  fs::path deep = home.makeDir("deep");
  while (deep.string().size() < 400) deep /= std::string(60, 'd');
  fs::create_directories(deep);
  const fs::path longFile = deep / "picture.jpg";
  touch(longFile);
  const std::string latin1 = (home.makeDir("names") / "caf\xe9").string();
  fs::create_directories(latin1);
  start();
  // The second row of buttons shows at the full height only.
  main().resize(219, 402);

  dropOn(main().image1(), {longFile});
  ASSERT_EQ(list().size(), 1u);
  EXPECT_EQ(list().path(0), longFile.string());

  dropOn(main().folderButton(1), uriList({latin1}));
  EXPECT_EQ(program->state().settings.target(1).FolderPath, latin1);
  dropOn(main().folderButton(6), {deep});
  EXPECT_EQ(program->state().settings.target(6).FolderPath, deep.string());
  EXPECT_EQ(main().folderButton(6).text(), QString(60, 'd'));
}

TEST_F(DropTest, ADropThatAddsNothingLeavesTheFileOnShow) {
  const fs::path folder = home.makeDir("three");
  touch(folder / "a.txt");
  touch(folder / "b.txt");
  touch(folder / "c.txt");
  const fs::path unknown = home.makeDir("unknown kinds");
  touch(unknown / "notes.xyz");
  start({folder.string()});
  main().Image1MouseDown(Qt::LeftButton);
  main().Image1MouseDown(Qt::LeftButton);
  const std::string onShow = program->state().files.currentFile();
  EXPECT_EQ(main().staticText1().text(), "3/3");

  dropOn(main().image1(), {unknown / "notes.xyz"});
  dropOn(named("Panel2"), {unknown});
  EXPECT_EQ(list().size(), 3u);
  EXPECT_EQ(program->form2().listBox1().selectedIndex(), 2);
  EXPECT_EQ(program->state().files.currentFile(), onShow);
  EXPECT_EQ(main().staticText1().text(), "3/3");
  EXPECT_EQ(main().statusText().toStdString(), fs::path(onShow).filename().string());
}
