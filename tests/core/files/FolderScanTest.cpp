#include "core/files/FolderScan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "TempTree.h"
#include "core/files/DisplayedList.h"
#include "core/files/PathRules.h"

namespace tossbox {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

// An in-memory tree whose listing order the test decides. A folder path that shares another's id
// stands for a link to that folder.
class FakeLister final : public DirectoryLister {
 public:
  struct Folder {
    FolderId id;
    std::vector<std::pair<std::string, ItemType>> items;
  };

  void add(const std::string& path, std::uint64_t inode,
           std::vector<std::pair<std::string, ItemType>> items) {
    folders_[path] = Folder{{1, inode}, std::move(items)};
  }

  std::unique_ptr<FolderReader> open(const std::string& path) override {
    opened.push_back(path);
    const auto it = folders_.find(path);
    if (it == folders_.end()) return nullptr;
    return std::make_unique<Reader>(it->second);
  }
  bool isFolder(const std::string& path) override { return folders_.contains(path); }

  std::vector<std::string> opened;

 private:
  class Reader final : public FolderReader {
   public:
    explicit Reader(const Folder& folder) : folder_(folder) {}
    FolderId id() const override { return folder_.id; }
    std::optional<FolderItem> next() override {
      if (next_ == 0 || next_ == 1) {
        return FolderItem{next_++ == 0 ? "." : "..", ItemType::Folder};
      }
      if (next_ - 2 >= folder_.items.size()) return std::nullopt;
      const auto& [name, type] = folder_.items[next_++ - 2];
      return FolderItem{name, type};
    }

   private:
    const Folder& folder_;
    std::size_t next_ = 0;
  };

  std::map<std::string, Folder> folders_;
};

constexpr ItemType D = ItemType::Folder;
constexpr ItemType F = ItemType::File;

TEST(FolderScan, BreadthFirstOrderWithHooks) {
  FakeLister lister;
  lister.add("/r", 1, {{"S1", D}, {"a.jpg", F}, {"S2", D}, {"b.txt", F}});
  lister.add("/r/S1", 2, {{"S3", D}, {"c.gif", F}});
  lister.add("/r/S2", 3, {{"e.wav", F}});
  lister.add("/r/S1/S3", 4, {{"d.bmp", F}});

  SortList list;
  int pumps = 0;
  std::vector<std::string> announced;
  const ScanHooks hooks{
      .processPendingEvents = [&] { ++pumps; },
      .entryAdded =
          [&](std::size_t number, std::string_view text) {
            announced.push_back(std::to_string(number) + " " + std::string(text));
          },
  };
  const ScanOutcome outcome = AddPath(list, "/r", lister, hooks);

  EXPECT_THAT(list.paths(),
              ElementsAre("/r/a.jpg", "/r/b.txt", "/r/S1/c.gif", "/r/S2/e.wav", "/r/S1/S3/d.bmp"));
  EXPECT_THAT(list.entries(),
              ElementsAre("a.jpg\t000000000", "b.txt\t000000001", "c.gif\t000000002",
                          "e.wav\t000000003", "d.bmp\t000000004"));
  EXPECT_THAT(announced,
              ElementsAre("0 a.jpg\t000000000", "1 b.txt\t000000001", "2 c.gif\t000000002",
                          "3 e.wav\t000000003", "4 d.bmp\t000000004"));
  // After each of the 16 items ("." and ".." included) and after each of the 4 folders.
  EXPECT_EQ(pumps, 20);
  EXPECT_EQ(outcome.entriesAdded, 5u);
  EXPECT_EQ(outcome.foldersEntered, 4u);

  // A second scan appends after the first; the root joins without a second "/".
  lister.add("/", 9, {{"x.jpg", F}, {"sub", D}});
  lister.add("/sub", 10, {{"y.ico", F}});
  AddPath(list, "/", lister, {});
  EXPECT_EQ(list.path(5), "/x.jpg");
  EXPECT_EQ(list.path(6), "/sub/y.ico");
  EXPECT_EQ(list.entryText(6), "y.ico\t000000006");
}

TEST(FolderScan, PassesOverUnreadableAndRepeatedFoldersAndStopsOnRequest) {
  FakeLister lister;
  // "gone" cannot be opened; "loop" is the root again; "twin" is "S" again.
  lister.add("/r", 1, {{"gone", D}, {"S", D}, {"loop", D}, {"twin", D}, {"r.jpg", F}});
  lister.add("/r/S", 2, {{"s.jpg", F}});
  lister.add("/r/loop", 1, {{"r.jpg", F}});
  lister.add("/r/twin", 2, {{"s.jpg", F}});

  SortList list;
  const ScanOutcome outcome = AddPath(list, "/r", lister, {});
  EXPECT_THAT(list.paths(), ElementsAre("/r/r.jpg", "/r/S/s.jpg"));
  EXPECT_EQ(outcome.foldersUnreadable, 1u);
  EXPECT_EQ(outcome.foldersReachedAgain, 2u);
  EXPECT_FALSE(outcome.stopped);

  list.clear();
  lister.opened.clear();
  int pumps = 0;
  const ScanHooks stopAtThird{.processPendingEvents = [&] { ++pumps; },
                              .stopRequested = [&] { return pumps == 3; }};
  const ScanOutcome stopped = AddPath(list, "/r", lister, stopAtThird);
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(pumps, 3);
  EXPECT_THAT(lister.opened, ElementsAre("/r"));
  EXPECT_TRUE(list.empty());
}

std::vector<std::string> relativePaths(const SortList& list, const std::string& root) {
  std::vector<std::string> relative;
  for (const std::string& path : list.paths()) relative.push_back(path.substr(root.size() + 1));
  return relative;
}

TEST(FolderScan, RealTreeLevelOrderAndSkippedFolders) {
  TempTree tree;
  const std::vector<std::string> expected = {"a.jpg",
                                             "b.TXT",
                                             "Photo.JPEG",
                                             "S1/c.gif",
                                             "S1/S3/d.bmp",
                                             "S1/S3/S4/e.wav",
                                             "S2/f.avi",
                                             "S2/g.rtf",
                                             "S2/h.ini",
                                             "S2/i.wmf",
                                             "S2/Recycled.old/j.ico",
                                             "S2/.hidden/k.jpg",
                                             "S2/.Trash-x/l.jpg"};
  for (const std::string& file : expected) tree.file(file);
  for (const char* skipped :
       {"RECYCLED/m.jpg", "Recycled/n.jpg", "S1/recycled/o.jpg", "S1/S3/ReCyCleD/p.jpg",
        ".Trash/q.jpg", ".Trash-1000/r.jpg", "S2/.Trash-0/s.jpg", "S2/x.doc", "S2/y.DOC",
        "S2/z.psd", "S2/noext"}) {
    tree.file(skipped);
  }
  mkfifo(tree.path("S2/pipe.txt").c_str(), 0644);  // reading it would hang a renderer
  tree.link("S2/dangling.jpg", tree.path("nowhere.jpg"));

  SortList list;
  const ScanOutcome outcome = AddPath(list, tree.root(), {});
  const std::vector<std::string> found = relativePaths(list, tree.root());
  EXPECT_THAT(found, UnorderedElementsAreArray(expected));
  EXPECT_EQ(outcome.entriesAdded, expected.size());

  // Breadth-first: the depth never decreases, and each folder's files stand together.
  std::vector<std::string> folders;
  std::size_t depth = 0;
  for (const std::string& path : found) {
    const std::size_t pathDepth = std::count(path.begin(), path.end(), '/');
    EXPECT_GE(pathDepth, depth) << path;
    depth = pathDepth;
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    if (folders.empty() || folders.back() != folder) {
      EXPECT_EQ(std::count(folders.begin(), folders.end(), folder), 0) << folder;
      folders.push_back(folder);
    }
  }
}

TEST(FolderScan, SinglePathsTakeDocAndNeverCheckExistence) {
  TempTree tree;
  const std::string doc = tree.file("x.doc");
  tree.file("y.DOC");
  const std::string jpg = tree.file("a b.jpg");

  SortList list;
  EXPECT_EQ(AddPath(list, tree.root(), {}).entriesAdded, 1u);  // the folder: a b.jpg only
  EXPECT_EQ(AddPath(list, doc, {}).entriesAdded, 1u);
  EXPECT_EQ(AddPath(list, jpg, {}).entriesAdded, 1u);
  EXPECT_EQ(AddPath(list, tree.path("missing.GIF"), {}).entriesAdded, 1u);
  EXPECT_EQ(AddPath(list, tree.path("missing.psd"), {}).entriesAdded, 0u);
  EXPECT_EQ(AddPath(list, tree.path("no folder/"), {}).entriesAdded, 0u);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list.kind(1), FileKind::Document);
  EXPECT_EQ(list.entryText(0), "a b.jpg\t000000000");
  EXPECT_EQ(list.entryText(2), "a b.jpg\t000000002");
  EXPECT_EQ(list.path(2), jpg);
  EXPECT_EQ(list.entryText(3), "missing.GIF\t000000003");
}

TEST(FolderScan, LinksNeverLoopAndOutsideFoldersAreFollowedOnce) {
  TempTree tree;
  const std::string root = tree.folder("root");
  tree.file("root/a.jpg");
  tree.file("root/sub/b.jpg");
  tree.link("root/sub/up", root);  // an ancestor
  tree.link("root/self", ".");     // the folder itself
  tree.file("root/target/t.gif");
  tree.link("root/l1", root + "/target");  // two links to one folder
  tree.link("root/sub/l2", root + "/target");
  tree.file("outside/o.bmp");
  tree.link("root/out1", tree.path("outside"));
  tree.link("root/sub/out2", tree.path("outside"));
  tree.link("root/sub/file-link.txt", root + "/a.jpg");

  SortList list;
  const ScanOutcome outcome = AddPath(list, root, {});
  std::multiset<std::string> names;
  for (const std::string& entry : list.entries()) names.insert(std::string(entryNameOf(entry)));
  EXPECT_EQ(names,
            (std::multiset<std::string>{"a.jpg", "b.jpg", "t.gif", "o.bmp", "file-link.txt"}));
  EXPECT_EQ(outcome.foldersEntered, 4u);       // root, sub, target, outside
  EXPECT_EQ(outcome.foldersReachedAgain, 5u);  // up, self, two of target's three, one outside
}

// Root reads every folder, so as root `check` runs in a child that has given up root.
bool holdsWithoutRoot(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  const pid_t child = fork();
  if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && check() ? 0 : 1);
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

TEST(FolderScan, UnreadableFoldersArePassedOver) {
  TempTree tree;
  chmod(tree.root().c_str(), 0755);
  tree.file("A/locked/hidden.jpg");
  const std::set<std::string> expected = {tree.file("A/open/seen.jpg"), tree.file("B/after.jpg")};
  chmod(tree.path("A/locked").c_str(), 0);
  EXPECT_TRUE(holdsWithoutRoot([&] {
    SortList list;
    const ScanOutcome outcome = AddPath(list, tree.root(), {});
    return outcome.foldersUnreadable == 1 &&
           std::set<std::string>(list.paths().begin(), list.paths().end()) == expected;
  }));
}

TEST(FolderScan, NamesKeepTheirBytes) {
  TempTree tree;
  const std::string latin1 = tree.file("with space/caf\xE9 \xFF.jpg");
  const std::string japanese = tree.file("with space/\xE6\x97\xA5\xE6\x9C\xAC \xEF\xBE\x83.gif");
  SortList list;
  AddPath(list, tree.path("with space"), {});
  EXPECT_THAT(list.paths(), UnorderedElementsAreArray({latin1, japanese}));
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(entryNameOf(list.entryText(i)), LastPathPart(list.path(i)));
    struct stat status {};
    EXPECT_EQ(stat(list.path(i).c_str(), &status), 0) << list.path(i);
  }
}

}  // namespace
}  // namespace tossbox

namespace tossbox {
namespace {

TEST(FolderScan, NewerKindsAreCollectedAndCountedEachUnderItsOwnKind) {
  TempTree tree;
  const std::vector<std::pair<std::string, FileKind>> files = {
      {"p.png", FileKind::Png},           {"w.WEBP", FileKind::WebP},
      {"t.tif", FileKind::Tiff},          {"sub/t2.tiff", FileKind::Tiff},
      {"m.mp4", FileKind::Movie},         {"m.m4v", FileKind::Movie},
      {"sub/m.mkv", FileKind::Movie},     {"m.webm", FileKind::Movie},
      {"m.MOV", FileKind::Movie},         {"s.mp3", FileKind::Audio},
      {"s.ogg", FileKind::Audio},         {"sub/s.oga", FileKind::Audio},
      {"s.flac", FileKind::Audio},        {"s.m4a", FileKind::Audio},
      {"n.md", FileKind::PlainText},      {"n.log", FileKind::PlainText},
      {"sub/n.csv", FileKind::PlainText}, {"old.jpg", FileKind::Jpeg},
  };
  for (const auto& [name, kind] : files) tree.file(name);
  tree.file("skipped.psd");
  tree.file("RECYCLED/hidden.png");

  SortList list;
  EXPECT_EQ(AddPath(list, tree.root(), {}).entriesAdded, files.size());
  KindFlags shown{};
  shown.fill(true);
  const DisplayedList all = RebuildList(list, shown, false);
  KindCounts expected{};
  for (const auto& [name, kind] : files) ++expected[kindIndex(kind)];
  EXPECT_EQ(all.counts, expected);
  EXPECT_EQ(all.entryNumbers.size(), files.size());
}

}  // namespace
}  // namespace tossbox
