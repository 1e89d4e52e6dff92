#pragma once
// A program started on files of a folder with blanks in its name, in the order given, with
// helpers to set a folder button and to press it the way the mouse does.
#include <QIcon>
#include <QListWidget>
#include <QToolButton>
#include <iterator>

#include "ProgramFixture.h"
#include "forms/list/UList.h"
#include "platform/art/Artwork.h"

class SortingTest : public ProgramTest {
 protected:
  using Path = std::filesystem::path;

  void SetUp() override {
    ProgramTest::SetUp();
    in = home.makeDir("to sort");
  }

  // Each file holds its own name, so where its bytes went can be told.
  tossbox::Program& startWith(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) {
      touch(in / name, "bytes of " + name);
      paths.push_back((in / name).string());
    }
    return start(paths);
  }

  void setButton(int n, const Path& folder, std::uint8_t move = 0, std::uint8_t policy = 1) {
    tossbox::FolderTarget& target = program->state().settings.target(n);
    target.FolderPath = folder.string();
    target.MoveOnPress = move;
    target.SameNamePolicy = policy;
    program->settingsBinding().applyButtonCaptions(main());
  }

  void press(int n, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(&main().folderButton(n), button);
    QTest::mouseRelease(&main().folderButton(n), button);
  }

  static std::string read(const Path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  }

  static bool sameImage(const QIcon& icon, const QPixmap& expected) {
    return icon.pixmap(expected.size()).toImage() == expected.toImage();
  }

  tossbox::EntryListBox& list() { return program->form2().listBox1(); }
  QListWidget& historyBox() { return program->form2().listBox2(); }
  QString historyLine(int row) { return historyBox().item(row)->text(); }
  QString status() { return main().statusText(); }

  Path in;
};
