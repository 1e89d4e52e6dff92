#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>

#include "SortingFixtures.h"
#include "core/sorting/FileOperation.h"
#include "core/sorting/SortPaths.h"
#include "core/sorting/SortToFolder.h"
#include "core/sorting/SortingTexts.h"

namespace tossbox {
namespace {

using testing::exists;
using testing::readFile;
using testing::writeFile;

class Sorting : public ::testing::Test {
 protected:
  FolderTarget button(int policy, bool move = false) const {
    FolderTarget target;
    target.FolderPath = folder.path("out");
    target.MoveOnPress = move ? 1 : 0;
    target.SameNamePolicy = static_cast<std::uint8_t>(policy);
    return target;
  }
  SortOutcome sort(FolderTarget& target, const std::string& file) {
    return SortToFolder(operation, target, file, buttonTargetPath(target.FolderPath, file));
  }
  // Names in a folder other than the hidden ones a copy would leave if it went wrong.
  std::vector<std::string> hiddenLeftovers(const std::string& dir) const {
    std::vector<std::string> found;
    for (const auto& item : std::filesystem::directory_iterator(dir)) {
      if (item.path().filename().string().rfind(".tossbox-", 0) == 0) found.push_back(item.path());
    }
    return found;
  }

  TempTree folder;
  testing::FolderTrash trash{folder.path("trash")};
  HistoryList history;
  int closedMedia = 0;
  FileOperation operation{trash, history, [this] { ++closedMedia; }};
};

TEST_F(Sorting, CopyKeepsContentTimeAndPermissionsIntoNewParentFolders) {
  const std::string source = folder.path("in/cat.jpg");
  writeFile(source, "meow");
  testing::ageFile(source);
  FolderTarget target = button(1);
  target.FolderPath = folder.path("out/a/b");

  const SortOutcome outcome = sort(target, source);
  EXPECT_EQ(outcome.step, SortStep::Sorted);
  EXPECT_TRUE(outcome.advance());
  const std::string copy = folder.path("out/a/b/cat.jpg");
  EXPECT_EQ(readFile(copy), "meow");
  EXPECT_EQ(testing::modifiedNs(copy), testing::modifiedNs(source));
  EXPECT_EQ(testing::permissionBits(copy), 0640u);
  EXPECT_EQ(readFile(source), "meow");
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history.line(0), "\"cat.jpg\" を \"b/cat.jpg\" にコピーしました。\u3000(" + source +
                                 " => " + copy + ")");
  EXPECT_EQ(closedMedia, 0);
  EXPECT_TRUE(hiddenLeftovers(folder.path("out/a/b")).empty());
}

TEST_F(Sorting, PolicyThreeAppendsSAndSerialNamesAdvance) {
  writeFile(folder.path("in/a.jpg"), "new");
  writeFile(folder.path("in/README"), "text");
  writeFile(folder.path("out/a.jpg"), "old");
  FolderTarget target = button(3);
  EXPECT_EQ(sort(target, folder.path("in/a.jpg")).step, SortStep::Sorted);
  EXPECT_EQ(sort(target, folder.path("in/a.jpg")).step, SortStep::Sorted);
  EXPECT_EQ(readFile(folder.path("out/a.jpg")), "old");
  EXPECT_EQ(readFile(folder.path("out/aS.jpg")), "new");
  EXPECT_EQ(readFile(folder.path("out/aSS.jpg")), "new");
  writeFile(folder.path("out/README"), "x");
  EXPECT_EQ(sort(target, folder.path("in/README")).step, SortStep::Sorted);
  EXPECT_EQ(readFile(folder.path("out/READMES")), "text");

  target.SerialRename = 1;
  target.SerialPrefix = "img";
  target.SerialNumber = "009";
  writeFile(folder.path("in/photo.JPG"), "jpg");
  EXPECT_EQ(sort(target, folder.path("in/photo.JPG")).step, SortStep::Sorted);
  EXPECT_EQ(readFile(folder.path("out/img009.JPG")), "jpg");
  EXPECT_EQ(target.SerialNumber, "010");
  EXPECT_NE(history.line(history.size() - 1).find("\"out/img009.JPG\" に名前を変えコピー"),
            std::string::npos);

  target.SerialNumber = "00a";
  const SortOutcome refused = sort(target, folder.path("in/photo.JPG"));
  EXPECT_EQ(refused.step, SortStep::SerialRefused);
  EXPECT_FALSE(refused.advance());
  EXPECT_EQ(history.size(), 4u);
}

TEST_F(Sorting, PolicyOneAsksAndTheSerialNumberStaysAdvanced) {
  writeFile(folder.path("in/photo.JPG"), "new");
  writeFile(folder.path("out/img009.JPG"), "old");
  FolderTarget target = button(1);
  target.SerialRename = 1;
  target.SerialPrefix = "img";
  target.SerialNumber = "009";
  const SortOutcome asked = sort(target, folder.path("in/photo.JPG"));
  EXPECT_EQ(asked.step, SortStep::NeedsDecision);
  EXPECT_FALSE(asked.advance());
  EXPECT_EQ(asked.conflictSource, folder.path("in/photo.JPG"));
  EXPECT_EQ(asked.conflictTarget, folder.path("out/img009.JPG"));
  EXPECT_EQ(target.SerialNumber, "010");  // also when the dialog is then cancelled
  EXPECT_EQ(readFile(folder.path("out/img009.JPG")), "old");
  EXPECT_TRUE(history.empty());

  // "上書き": the old file goes to the trash, the answer is recorded.
  const OperationResult overwritten =
      SortAnswer(operation, target, asked.conflictSource, asked.conflictTarget);
  EXPECT_TRUE(overwritten.ok());
  EXPECT_EQ(readFile(folder.path("out/img009.JPG")), "new");
  EXPECT_EQ(readFile(history.facts(0).replacedInTrash.value()), "old");
  // "新規保存" to a name of the user's choice, in move mode.
  target.MoveOnPress = 1;
  EXPECT_TRUE(
      SortAnswer(operation, target, asked.conflictSource, folder.path("out/mine.JPG")).ok());
  EXPECT_EQ(readFile(folder.path("out/mine.JPG")), "new");
  EXPECT_FALSE(exists(asked.conflictSource));
  EXPECT_EQ(history.size(), 2u);

  target.SameNamePolicy = 0;  // an unknown policy byte asks as well
  writeFile(folder.path("in/b.jpg"), "b");
  writeFile(folder.path("out/b.jpg"), "b-old");
  target.SerialRename = 0;
  EXPECT_EQ(sort(target, folder.path("in/b.jpg")).step, SortStep::NeedsDecision);
}

TEST_F(Sorting, PolicyTwoOverwritesThroughTheTrashForCopyAndMove) {
  writeFile(folder.path("in/a.jpg"), "copy");
  writeFile(folder.path("out/a.jpg"), "old-a");
  FolderTarget target = button(2);
  EXPECT_EQ(sort(target, folder.path("in/a.jpg")).step, SortStep::Sorted);
  EXPECT_EQ(readFile(folder.path("out/a.jpg")), "copy");
  EXPECT_EQ(readFile(history.facts(0).replacedInTrash.value()), "old-a");

  writeFile(folder.path("in/b.jpg"), "moved");
  testing::ageFile(folder.path("in/b.jpg"));
  writeFile(folder.path("out/b.jpg"), "old-b");
  target.MoveOnPress = 1;
  EXPECT_EQ(sort(target, folder.path("in/b.jpg")).step, SortStep::Sorted);
  EXPECT_FALSE(exists(folder.path("in/b.jpg")));
  EXPECT_EQ(readFile(folder.path("out/b.jpg")), "moved");
  EXPECT_EQ(testing::permissionBits(folder.path("out/b.jpg")), 0640u);
  EXPECT_EQ(readFile(history.facts(1).replacedInTrash.value()), "old-b");
  EXPECT_EQ(closedMedia, 1);
}

TEST_F(Sorting, MoveAcrossFileSystemsCopiesThenDeletesOverAnExistingFile) {
  struct stat tmp {
  }, shm{};
  if (::stat(folder.root().c_str(), &tmp) != 0 || ::stat("/dev/shm", &shm) != 0 ||
      tmp.st_dev == shm.st_dev) {
    GTEST_SKIP() << "skipped: no second file system at /dev/shm";
  }
  TempTree other("tossbox-sorting-", "/dev/shm");
  const std::string source = other.path("c.jpg");
  writeFile(source, std::string(3'000'000, 'c'));
  testing::ageFile(source);
  writeFile(folder.path("out/c.jpg"), "old-c");
  FolderTarget target = button(2, true);

  EXPECT_EQ(sort(target, source).step, SortStep::Sorted);
  EXPECT_FALSE(exists(source));
  EXPECT_EQ(readFile(folder.path("out/c.jpg")), std::string(3'000'000, 'c'));
  EXPECT_EQ(testing::modifiedNs(folder.path("out/c.jpg")), 1'234'567'890'123'456'789);
  EXPECT_EQ(testing::permissionBits(folder.path("out/c.jpg")), 0640u);
  EXPECT_EQ(readFile(history.facts(0).replacedInTrash.value()), "old-c");
  EXPECT_TRUE(hiddenLeftovers(folder.path("out")).empty());
}

// The program dies in the middle of the copy: a forked child runs the move under a file-size
// limit whose signal, left at its default, kills it once the hidden copy outgrows the limit.
TEST_F(Sorting, MoveOverAFileAcrossFileSystemsKeepsTheOldTargetUntilTheCopyIsDone) {
  const std::unique_ptr<TempTree> other = testing::folderOnAnotherFileSystem(folder);
  if (!other) GTEST_SKIP() << "skipped: no second file system at /dev/shm";
  const std::string source = other->path("c.jpg");
  const std::string big(1 << 20, 'c');
  writeFile(source, big);
  writeFile(folder.path("out/c.jpg"), "old-c");
  FolderTarget target = button(2, true);

  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    ::prctl(PR_SET_DUMPABLE, 0);  // no core file
    std::signal(SIGXFSZ, SIG_DFL);
    struct rlimit small {};
    ::getrlimit(RLIMIT_FSIZE, &small);
    small.rlim_cur = 64 * 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    (void)sort(target, source);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the child was not killed";

  EXPECT_EQ(readFile(folder.path("out/c.jpg")), "old-c");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path("trash")));
  EXPECT_TRUE(readFile(source) == big);  // not printed: a megabyte
  const std::vector<std::string> partial = hiddenLeftovers(folder.path("out"));
  ASSERT_EQ(partial.size(), 1u);
  EXPECT_LT(std::filesystem::file_size(partial[0]), big.size());
  std::filesystem::remove(partial[0]);

  // A trash that refuses the old target: the finished copy goes, everything else stays.
  trash.refuseTrash = true;
  const SortOutcome refused = sort(target, source);
  EXPECT_EQ(refused.operation.failure, OperationFailure::NoTrash);
  EXPECT_EQ(refused.operation.statusText(), kMoveFailedText);
  EXPECT_EQ(readFile(folder.path("out/c.jpg")), "old-c");
  EXPECT_TRUE(readFile(source) == big);  // not printed: a megabyte
  EXPECT_TRUE(hiddenLeftovers(folder.path("out")).empty());
  EXPECT_TRUE(history.empty());
}

TEST_F(Sorting, ASortOntoItselfFailsAndNeverTruncates) {
  const std::string file = folder.path("out/self.jpg");
  writeFile(file, "precious");
  std::filesystem::create_directory_symlink(folder.path("out"), folder.path("link"));
  std::filesystem::create_hard_link(file, folder.path("hard.jpg"));
  for (bool move : {false, true}) {
    FolderTarget same = button(2, move);
    for (const std::string& path : {file, folder.path("link/self.jpg")}) {
      const SortOutcome outcome = SortToFolder(operation, same, path, file);
      EXPECT_EQ(outcome.step, SortStep::Failed);
      EXPECT_EQ(outcome.operation.failure, OperationFailure::SameFile);
      EXPECT_FALSE(outcome.advance());
    }
    EXPECT_EQ(
        operation
            .run(move ? ActionKind::Move : ActionKind::Copy, folder.path("hard.jpg"), file, false)
            .failure,
        OperationFailure::SameFile);
  }
  EXPECT_EQ(readFile(file), "precious");
  EXPECT_EQ(readFile(folder.path("hard.jpg")), "precious");
  EXPECT_TRUE(history.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder.path("trash")));
}

TEST_F(Sorting, FailuresAreNotRecordedAndSayWhatFailed) {
  writeFile(folder.path("in/a.jpg"), "a");
  writeFile(folder.path("blocker"), "a file where a folder should be");
  FolderTarget target = button(1);
  target.FolderPath = folder.path("blocker/sub");
  SortOutcome copied = sort(target, folder.path("in/a.jpg"));
  EXPECT_EQ(copied.step, SortStep::Failed);
  EXPECT_EQ(copied.operation.statusText(), kCopyFailedText);
  target.MoveOnPress = 1;
  SortOutcome moved = sort(target, folder.path("in/a.jpg"));
  EXPECT_EQ(moved.operation.statusText(), kMoveFailedText);
  EXPECT_EQ(readFile(folder.path("in/a.jpg")), "a");

  std::filesystem::create_directories(folder.path("out/a.jpg"));
  target = button(2);
  EXPECT_EQ(sort(target, folder.path("in/a.jpg")).operation.failure,
            OperationFailure::TargetIsFolder);
  EXPECT_EQ(sort(target, folder.path("in/gone.jpg")).operation.failure,
            OperationFailure::SourceMissing);

  const OperationResult vanished =
      operation.run(ActionKind::Trash, folder.path("in/gone.jpg"), {}, false);
  EXPECT_EQ(vanished.failure, OperationFailure::SourceMissing);
  EXPECT_EQ(vanished.statusText(), kTrashFailedText);
  trash.refuseTrash = true;  // a volume without a trash: the file stays
  EXPECT_EQ(operation.run(ActionKind::Trash, folder.path("in/a.jpg"), {}, false).failure,
            OperationFailure::NoTrash);
  writeFile(folder.path("out/b.jpg"), "old-b");
  writeFile(folder.path("in/b.jpg"), "new-b");
  EXPECT_EQ(sort(target, folder.path("in/b.jpg")).operation.failure, OperationFailure::NoTrash);
  EXPECT_EQ(readFile(folder.path("out/b.jpg")), "old-b");
  EXPECT_EQ(readFile(folder.path("in/a.jpg")), "a");
  EXPECT_TRUE(history.empty());
  EXPECT_TRUE(hiddenLeftovers(folder.path("out")).empty());

  trash.refuseTrash = false;
  EXPECT_TRUE(operation.run(ActionKind::Trash, folder.path("in/a.jpg"), {}, false).ok());
  EXPECT_FALSE(exists(folder.path("in/a.jpg")));
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history.entry(0).bytes()[0], 3);
}

TEST_F(Sorting, OnlyAFileOrALinkGoesToTheTrash) {
  writeFile(folder.path("in/a.jpg/inside.jpg"), "kept");
  const OperationResult folderInPlace =
      operation.run(ActionKind::Trash, folder.path("in/a.jpg"), {}, false);
  EXPECT_EQ(folderInPlace.failure, OperationFailure::NotAFile);
  EXPECT_EQ(folderInPlace.statusText(), kTrashFailedText);
  EXPECT_EQ(readFile(folder.path("in/a.jpg/inside.jpg")), "kept");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path("trash")));
  EXPECT_TRUE(history.empty());

  std::filesystem::create_symlink(folder.path("in/a.jpg"), folder.path("in/link.jpg"));
  EXPECT_TRUE(operation.run(ActionKind::Trash, folder.path("in/link.jpg"), {}, false).ok());
  EXPECT_FALSE(std::filesystem::is_symlink(folder.path("in/link.jpg")));
  EXPECT_TRUE(exists(folder.path("in/a.jpg/inside.jpg")));
  EXPECT_EQ(history.size(), 1u);
}

TEST_F(Sorting, ACopyThatCannotBeFinishedLeavesNoHalfFile) {
  writeFile(folder.path("in/big.jpg"), std::string(1 << 20, 'b'));
  writeFile(folder.path("out/big.jpg"), "old");
  FolderTarget target = button(2);
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const SortOutcome outcome = sort(target, folder.path("in/big.jpg"));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(outcome.step, SortStep::Failed);
  EXPECT_EQ(outcome.operation.failure, OperationFailure::FileSystem);
  EXPECT_EQ(readFile(folder.path("out/big.jpg")), "old");
  EXPECT_TRUE(hiddenLeftovers(folder.path("out")).empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder.path("trash")));
  EXPECT_TRUE(history.empty());
}

}  // namespace
}  // namespace tossbox
