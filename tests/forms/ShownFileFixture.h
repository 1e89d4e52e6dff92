#pragma once
// A running program on a folder of the test's files, and stepping to one of them by name.
#include "../core/picture/PictureFixtures.h"
#include "ProgramFixture.h"
#include "forms/list/UList.h"

class ShownFileTest : public ProgramTest {
 protected:
  void startWith(const std::vector<std::pair<std::string, fixtures::ByteVector>>& files) {
    folder = home.makeDir("shown files");
    for (const auto& [name, bytes] : files) fixtures::writeFile((folder / name).string(), bytes);
    start({folder.string()});
  }

  void show(const std::string& name) {
    const tossbox::SortList& files = program->state().files.sortList();
    tossbox::EntryListBox& list = program->form2().listBox1();
    for (int row = 0; row < list.count(); ++row) {
      if (files.path(list.entryNumber(row)) != (folder / name).string()) continue;
      list.setSelectedIndex(row);
      main().ShowCurrent();
      return;
    }
    ADD_FAILURE() << "not listed: " << name;
  }

  static fixtures::ByteVector jpeg(int width, int height) {
    return fixtures::makeJpeg(width, height, fixtures::JpegKind::Baseline);
  }
  static fixtures::ByteVector text(const std::string& content) {
    return {content.begin(), content.end()};
  }

  std::filesystem::path folder;
};
