#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "SortingFixtures.h"
#include "core/sorting/SortPaths.h"
#include "core/sorting/SortToFolder.h"
#include "core/sorting/SortingTexts.h"
#include "core/sorting/UndoAction.h"

namespace tossbox {
namespace {

using testing::exists;
using testing::readFile;
using testing::writeFile;

class Undo : public ::testing::Test {
 protected:
  OperationResult copy(const std::string& from, const std::string& to) {
    return operation.run(ActionKind::Copy, from, to, false);
  }
  OperationResult move(const std::string& from, const std::string& to) {
    return operation.run(ActionKind::Move, from, to, false);
  }

  TempTree folder;
  testing::FolderTrash trash{folder.path("trash")};
  HistoryList history;
  FileOperation operation{trash, history};
};

TEST_F(Undo, CopyIsDeletedOnceAndAnUndoneLineIsPassedOver) {
  writeFile(folder.path("in/a.jpg"), "a");
  ASSERT_TRUE(copy(folder.path("in/a.jpg"), folder.path("out/a.jpg")).ok());
  const std::string line = history.line(0);

  const UndoOutcome first = UndoAction(operation, 0);
  EXPECT_EQ(first.result, UndoResult::Undone);
  EXPECT_EQ(first.statusText(), kUndoneText);
  EXPECT_FALSE(exists(folder.path("out/a.jpg")));
  EXPECT_EQ(readFile(folder.path("in/a.jpg")), "a");
  EXPECT_EQ(history.line(0), "[取消済] " + line);
  EXPECT_EQ(history.entry(0).bytes()[0], 4);

  writeFile(folder.path("out/a.jpg"), "a");  // the same name again, but not the copy it made
  const UndoOutcome second = UndoAction(operation, 0);
  EXPECT_EQ(second.result, UndoResult::WasUndone);
  EXPECT_TRUE(second.succeeded());
  EXPECT_EQ(second.statusText(), kUndoneText);
  EXPECT_TRUE(exists(folder.path("out/a.jpg")));
  EXPECT_EQ(history.line(0), "[取消済] " + line);
  EXPECT_EQ(UndoAction(operation, 7).result, UndoResult::Refused);
}

TEST_F(Undo, AChangedCopyOrAnOccupiedOldPathIsLeftAlone) {
  writeFile(folder.path("in/a.jpg"), "a");
  ASSERT_TRUE(copy(folder.path("in/a.jpg"), folder.path("out/a.jpg")).ok());
  writeFile(folder.path("out/a.jpg"), "edited");
  const UndoOutcome edited = UndoAction(operation, 0);
  EXPECT_EQ(edited.result, UndoResult::Refused);
  EXPECT_EQ(edited.statusText(), kUndoFailedText);
  EXPECT_EQ(readFile(folder.path("out/a.jpg")), "edited");

  writeFile(folder.path("in/b.jpg"), "b");
  ASSERT_TRUE(copy(folder.path("in/b.jpg"), folder.path("out/b.jpg")).ok());
  testing::ageFile(folder.path("out/b.jpg"));  // same size, another time
  EXPECT_EQ(UndoAction(operation, 1).result, UndoResult::Refused);
  EXPECT_TRUE(exists(folder.path("out/b.jpg")));

  writeFile(folder.path("in/c.jpg"), "c");
  ASSERT_TRUE(move(folder.path("in/c.jpg"), folder.path("out/c.jpg")).ok());
  writeFile(folder.path("in/c.jpg"), "newcomer");
  EXPECT_EQ(UndoAction(operation, 2).result, UndoResult::Refused);
  EXPECT_EQ(readFile(folder.path("in/c.jpg")), "newcomer");
  EXPECT_EQ(readFile(folder.path("out/c.jpg")), "c");
  EXPECT_FALSE(history.entry(2).undone());
}

TEST_F(Undo, AnEditThatKeptTheSizeAndPutTheTimesBackIsNotDeleted) {
  writeFile(folder.path("in/a.jpg"), "same size");
  testing::ageFile(folder.path("in/a.jpg"));
  const std::string copied = folder.path("out/a.jpg");
  ASSERT_TRUE(copy(folder.path("in/a.jpg"), copied).ok());
  struct stat before {};
  ASSERT_EQ(::stat(copied.c_str(), &before), 0);

  writeFile(copied, "SAME SIZE");  // rewritten in place: same inode
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, copied.c_str(), times, 0), 0);
  struct stat after {};
  ASSERT_EQ(::stat(copied.c_str(), &after), 0);
  ASSERT_EQ(after.st_ino, before.st_ino);
  ASSERT_EQ(after.st_size, before.st_size);
  ASSERT_EQ(testing::modifiedNs(copied), 1'234'567'890'123'456'789);

  EXPECT_EQ(UndoAction(operation, 0).result, UndoResult::Refused);
  EXPECT_EQ(readFile(copied), "SAME SIZE");
  EXPECT_FALSE(history.entry(0).undone());
}

TEST_F(Undo, AMovedLinkReachesTheSameFileAndGoesBackAsItWas) {
  namespace fs = std::filesystem;
  const std::string photo = folder.path("in/real/photo.jpg");
  writeFile(photo, "photo");
  fs::create_directories(folder.path("in/links"));
  fs::create_symlink("../real/photo.jpg", folder.path("in/links/rel.jpg"));
  fs::create_symlink(photo, folder.path("in/links/abs.jpg"));
  const std::string relMoved = folder.path("out/deeper/rel.jpg");
  const std::string absMoved = folder.path("out/abs.jpg");
  ASSERT_TRUE(move(folder.path("in/links/rel.jpg"), relMoved).ok());
  ASSERT_TRUE(move(folder.path("in/links/abs.jpg"), absMoved).ok());

  for (const std::string& moved : {relMoved, absMoved}) {
    EXPECT_TRUE(fs::is_symlink(moved)) << moved;
    EXPECT_EQ(readFile(moved), "photo") << moved;
  }
  EXPECT_EQ(fs::read_symlink(relMoved), "../../in/real/photo.jpg");
  EXPECT_EQ(fs::read_symlink(absMoved), photo);
  EXPECT_FALSE(exists(folder.path("in/links/rel.jpg")));
  EXPECT_FALSE(exists(folder.path("in/links/abs.jpg")));

  EXPECT_EQ(UndoAction(operation, 1).result, UndoResult::Undone);
  EXPECT_EQ(UndoAction(operation, 0).result, UndoResult::Undone);
  EXPECT_EQ(fs::read_symlink(folder.path("in/links/rel.jpg")), "../real/photo.jpg");
  EXPECT_EQ(fs::read_symlink(folder.path("in/links/abs.jpg")), photo);
  EXPECT_FALSE(exists(relMoved));
  EXPECT_FALSE(exists(absMoved));
  EXPECT_EQ(readFile(photo), "photo");

  // A copy of a link is a file of its own with the bytes the link reaches.
  ASSERT_TRUE(copy(folder.path("in/links/rel.jpg"), folder.path("out/copied.jpg")).ok());
  EXPECT_FALSE(fs::is_symlink(folder.path("out/copied.jpg")));
  EXPECT_EQ(readFile(folder.path("out/copied.jpg")), "photo");
}

TEST_F(Undo, AMovedLinkAcrossFileSystemsIsMadeAnewNotCopied) {
  namespace fs = std::filesystem;
  const std::unique_ptr<TempTree> other = testing::folderOnAnotherFileSystem(folder);
  if (!other) GTEST_SKIP() << "skipped: no second file system at /dev/shm";
  const std::string photo = other->path("real/photo.jpg");
  writeFile(photo, "photo");
  fs::create_symlink("real/photo.jpg", other->path("link.jpg"));
  const std::string moved = folder.path("out/link.jpg");
  ASSERT_TRUE(move(other->path("link.jpg"), moved).ok());

  EXPECT_TRUE(fs::is_symlink(moved));
  EXPECT_EQ(fs::canonical(moved), fs::canonical(photo));
  EXPECT_FALSE(exists(other->path("link.jpg")));

  EXPECT_EQ(UndoAction(operation, 0).result, UndoResult::Undone);
  EXPECT_EQ(fs::read_symlink(other->path("link.jpg")), "real/photo.jpg");
  EXPECT_FALSE(exists(moved));
  EXPECT_EQ(readFile(photo), "photo");
}

TEST_F(Undo, MoveGoesBackIntoARecreatedFolder) {
  writeFile(folder.path("in/deep/m.jpg"), "m");
  testing::ageFile(folder.path("in/deep/m.jpg"));
  ASSERT_TRUE(move(folder.path("in/deep/m.jpg"), folder.path("out/m.jpg")).ok());
  std::filesystem::remove(folder.path("in/deep"));
  EXPECT_EQ(UndoAction(operation, 0).result, UndoResult::Undone);
  EXPECT_EQ(readFile(folder.path("in/deep/m.jpg")), "m");
  EXPECT_EQ(testing::modifiedNs(folder.path("in/deep/m.jpg")), 1'234'567'890'123'456'789);
  EXPECT_FALSE(exists(folder.path("out/m.jpg")));
}

TEST_F(Undo, AnOverwriteComesBackOutOfTheTrash) {
  writeFile(folder.path("in/a.jpg"), "new-a");
  writeFile(folder.path("out/a.jpg"), "old-a");
  writeFile(folder.path("in/b.jpg"), "new-b");
  writeFile(folder.path("out/b.jpg"), "old-b");
  ASSERT_TRUE(copy(folder.path("in/a.jpg"), folder.path("out/a.jpg")).ok());
  ASSERT_TRUE(move(folder.path("in/b.jpg"), folder.path("out/b.jpg")).ok());

  EXPECT_EQ(UndoAction(operation, 1).result, UndoResult::Undone);
  EXPECT_EQ(readFile(folder.path("in/b.jpg")), "new-b");
  EXPECT_EQ(readFile(folder.path("out/b.jpg")), "old-b");
  EXPECT_EQ(UndoAction(operation, 0).result, UndoResult::Undone);
  EXPECT_EQ(readFile(folder.path("out/a.jpg")), "old-a");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path("trash")));

  // Put back by hand meanwhile: the copy stays until the restore can happen.
  ASSERT_TRUE(copy(folder.path("in/a.jpg"), folder.path("out/a.jpg")).ok());
  std::filesystem::remove(history.facts(2).replacedInTrash.value());
  EXPECT_EQ(UndoAction(operation, 2).result, UndoResult::Refused);
  EXPECT_EQ(readFile(folder.path("out/a.jpg")), "new-a");

  writeFile(folder.path("out/c.jpg"), "old-c");
  writeFile(folder.path("in/c.jpg"), "new-c");
  ASSERT_TRUE(copy(folder.path("in/c.jpg"), folder.path("out/c.jpg")).ok());
  trash.refuseRestore = true;
  const UndoOutcome partly = UndoAction(operation, 3);
  EXPECT_EQ(partly.result, UndoResult::UndoneButTrash);
  EXPECT_TRUE(partly.openTrash());
  EXPECT_EQ(partly.statusText(), kTakeFromTrashText);
  EXPECT_FALSE(exists(folder.path("out/c.jpg")));
  EXPECT_EQ(readFile(history.facts(3).replacedInTrash.value()), "old-c");
}

TEST_F(Undo, TrashOpensTheTrashAndStaysUndoable) {
  writeFile(folder.path("in/t.jpg"), "t");
  ASSERT_TRUE(operation.run(ActionKind::Trash, folder.path("in/t.jpg"), {}, false).ok());
  for (int press = 0; press < 2; ++press) {
    const UndoOutcome outcome = UndoAction(operation, 0);
    EXPECT_EQ(outcome.result, UndoResult::OpenTrash);
    EXPECT_TRUE(outcome.openTrash());
    EXPECT_FALSE(outcome.succeeded());
    EXPECT_EQ(outcome.statusText(), kTakeFromTrashText);
  }
  EXPECT_FALSE(exists(folder.path("in/t.jpg")));
  EXPECT_FALSE(history.entry(0).undone());
  EXPECT_EQ(history.line(0).find("[取消済]"), std::string::npos);
}

TEST_F(Undo, ThreeSortsAreUndoneNewestFirstLikeTheButtonWalksUp) {
  FolderTarget button;
  button.FolderPath = folder.path("out");
  button.SameNamePolicy = 1;
  for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) writeFile(folder.path("in/") + name, name);
  button.MoveOnPress = 1;
  const std::string in1 = folder.path("in/1.jpg");
  ASSERT_EQ(SortToFolder(operation, button, in1, buttonTargetPath(button.FolderPath, in1)).step,
            SortStep::Sorted);
  button.MoveOnPress = 0;
  for (const char* name : {"2.jpg", "3.jpg"}) {
    const std::string in = folder.path("in/") + name;
    ASSERT_EQ(SortToFolder(operation, button, in, buttonTargetPath(button.FolderPath, in)).step,
              SortStep::Sorted);
  }
  std::size_t selected = history.size() - 1;
  std::vector<std::string> presentAfterEachPress;
  for (int press = 0; press < 3; ++press) {
    const UndoOutcome outcome = UndoAction(operation, selected);
    ASSERT_TRUE(outcome.succeeded());
    std::string present;
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) {
      if (exists(folder.path("out/") + name)) present += name[0];
    }
    presentAfterEachPress.push_back(present);
    if (selected > 0) --selected;
  }
  EXPECT_EQ(presentAfterEachPress, (std::vector<std::string>{"12", "1", ""}));
  EXPECT_EQ(readFile(in1), "1.jpg");
  // A fourth press stays on the first line, already undone.
  EXPECT_EQ(UndoAction(operation, selected).result, UndoResult::WasUndone);
}

TEST_F(Undo, ASourcePathLongerThan255BytesStillSplits) {
  std::string deep = folder.path("in");
  while (deep.size() < 300) deep += "/" + std::string(40, 'd');
  const std::string source = deep + "/long.jpg";
  writeFile(source, "long");
  ASSERT_GT(source.size(), 255u);
  ASSERT_TRUE(move(source, folder.path("out/long.jpg")).ok());
  EXPECT_EQ(history.entry(0).source(), source);
  EXPECT_EQ(history.entry(0).target(), folder.path("out/long.jpg"));
  EXPECT_EQ(UndoAction(operation, 0).result, UndoResult::Undone);
  EXPECT_EQ(readFile(source), "long");
}

}  // namespace
}  // namespace tossbox
