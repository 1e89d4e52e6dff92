#include "core/shellns/ShellNamespace.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempTree.h"
#include "core/shellns/NamespaceItem.h"

namespace tossbox {
namespace {

class ShellNamespaceTest : public ::testing::Test {
 protected:
  ShellNamespaceTest() {
    home_ = tree_.folder("home");
    desktop_ = tree_.folder("home/Desktop");
    mounts_ = tree_.path("mounts");
    std::ofstream(mounts_) << "/dev/sda1 / ext4 rw 0 0\n";
  }

  [[nodiscard]] ShellNamespace shellNamespace() const {
    return ShellNamespace(NamespacePlaces{desktop_, home_, mounts_});
  }

  // The names shown for the child folders of `absolute`, in order.
  [[nodiscard]] std::vector<std::string> childNames(const ItemIdList& absolute) const {
    const std::optional<BoundFolder> folder = shellNamespace().bind(absolute);
    EXPECT_TRUE(folder.has_value());
    std::vector<std::string> names;
    if (!folder) return names;
    for (const ItemIdList& child : folder->enumerate().value_or(std::vector<ItemIdList>{})) {
      names.push_back(folder->lookOf(child).displayName);
    }
    return names;
  }

  [[nodiscard]] static ItemIdList under(const ItemIdList& parent, std::string_view name) {
    return concatenate(parent, nameItem(name).value());
  }

  TempTree tree_;
  std::string home_;
  std::string desktop_;
  std::string mounts_;
};

TEST_F(ShellNamespaceTest, DesktopListsComputerHomeThenItsFoldersInNameOrder) {
  tree_.folder("home/Desktop/zeta");
  tree_.folder("home/Desktop/Alpha");
  tree_.folder("home/Desktop/beta");
  tree_.folder("home/Desktop/.hidden");
  tree_.file("home/Desktop/file.txt");
  const ShellNamespace ns = shellNamespace();
  const ItemIdList desktop = ShellNamespace::desktopIds();

  EXPECT_EQ(ns.displayNameOf(desktop), "デスクトップ");
  EXPECT_EQ(ns.pathOf(desktop), desktop_);
  EXPECT_EQ(childNames(desktop),
            (std::vector<std::string>{"コンピュータ", "ホーム", "Alpha", "beta", "zeta"}));

  const std::vector<ItemIdList> children = ns.bind(desktop)->enumerate().value();
  const ItemIdList computer = concatenate(desktop, children[0]);
  const ItemIdList home = concatenate(desktop, children[1]);
  EXPECT_EQ(ns.pathOf(computer), "");
  EXPECT_EQ(ns.iconOf(computer), FolderIcon::Computer);
  EXPECT_EQ(ns.pathOf(home), home_);
  EXPECT_EQ(ns.iconOf(home), FolderIcon::Home);
  EXPECT_EQ(ns.pathOf(under(desktop, "beta")), desktop_ + "/beta");
  EXPECT_EQ(ns.displayNameOf(under(desktop, "beta")), "beta");
}

TEST_F(ShellNamespaceTest, HomeIsNotListedTwiceWhenItIsTheDesktop) {
  const ShellNamespace ns(NamespacePlaces{home_, home_, mounts_});
  const std::vector<ItemIdList> children =
      ns.bind(ShellNamespace::desktopIds())->enumerate().value();
  ASSERT_EQ(children.size(), 2u);  // the computer and Desktop, the home's own folder
  EXPECT_EQ(ns.pathOf(children[1]), desktop_);
}

TEST_F(ShellNamespaceTest, ComputerHoldsRootThenVolumes) {
  const std::string volume = tree_.folder("vol one");
  const std::string file = tree_.file("bound-file");
  std::ofstream(mounts_) << "/dev/sda1 / ext4 rw 0 0\n"
                         << "/dev/sdb1 " << tree_.root() << "/vol\\040one ext4 rw 0 0\n"
                         << "/dev/sda1 " << file << " ext4 rw 0 0\n"
                         << "srv:/gone " << tree_.root() << "/gone nfs4 rw 0 0\n";
  const ShellNamespace ns = shellNamespace();
  const ItemIdList computer = computerItem();
  EXPECT_EQ(childNames(computer), (std::vector<std::string>{"/", volume, tree_.root() + "/gone"}));

  const std::optional<BoundFolder> folder = ns.bind(computer);
  const std::vector<ItemIdList> children = folder->enumerate().value();
  EXPECT_EQ(ns.pathOf(concatenate(computer, children[0])), "/");
  EXPECT_EQ(ns.pathOf(concatenate(computer, children[1])), volume);
  EXPECT_EQ(ns.iconOf(concatenate(computer, children[1])), FolderIcon::Volume);
  const FolderAttributes root = folder->attributesOf(children[0]);
  EXPECT_TRUE(root.folder && root.hasSubfolders);
  const FolderAttributes emptyVolume = folder->attributesOf(children[1]);
  EXPECT_TRUE(emptyVolume.folder);
  EXPECT_FALSE(emptyVolume.hasSubfolders);
  // A remote volume is taken on trust, not looked into.
  const FolderAttributes remote = folder->attributesOf(children[2]);
  EXPECT_TRUE(remote.folder && remote.hasSubfolders);
}

TEST_F(ShellNamespaceTest, HasSubfoldersCountsOnlyVisibleFolders) {
  tree_.folder("home/Desktop/withSub/inner");
  tree_.folder("home/Desktop/onlyHidden/.git");
  tree_.folder("home/Desktop/onlyFiles");
  tree_.file("home/Desktop/onlyFiles/a.jpg");
  const std::optional<BoundFolder> desktop = shellNamespace().bind(ShellNamespace::desktopIds());
  ASSERT_TRUE(desktop.has_value());
  const auto attributes = [&](std::string_view name) {
    return desktop->attributesOf(nameItem(name).value());
  };
  EXPECT_TRUE(attributes("withSub").hasSubfolders);
  EXPECT_TRUE(attributes("onlyHidden").folder);
  EXPECT_FALSE(attributes("onlyHidden").hasSubfolders);
  EXPECT_TRUE(attributes("onlyFiles").folder);
  EXPECT_FALSE(attributes("onlyFiles").hasSubfolders);
  EXPECT_FALSE(attributes("missing").folder);
  // A file is no folder even when asked for by name.
  tree_.file("home/Desktop/plain");
  EXPECT_FALSE(attributes("plain").folder);
}

TEST_F(ShellNamespaceTest, NamesWithSpacesAndForeignBytesKeepTheirBytes) {
  const std::string spaced = "a b  c";
  const std::string latin1 = "caf\xe9 x";                   // not UTF-8, not CP932
  const std::string shiftJis = "\x83\x65\x83\x58\x83\x67";  // テスト written by a Windows program
  for (const std::string& name : {spaced, latin1, shiftJis}) tree_.folder("home/Desktop/" + name);
  tree_.folder("home/Desktop/" + latin1 + "/inner");
  const ShellNamespace ns = shellNamespace();
  const ItemIdList desktop = ShellNamespace::desktopIds();

  EXPECT_EQ(ns.pathOf(under(desktop, spaced)), desktop_ + "/" + spaced);
  EXPECT_EQ(ns.pathOf(under(desktop, latin1)), desktop_ + "/" + latin1);
  EXPECT_EQ(ns.pathOf(under(under(desktop, latin1), "inner")), desktop_ + "/" + latin1 + "/inner");
  EXPECT_EQ(ns.displayNameOf(under(desktop, spaced)), spaced);
  EXPECT_EQ(ns.displayNameOf(under(desktop, latin1)), "caf\uFFFD x");
  EXPECT_EQ(ns.displayNameOf(under(desktop, shiftJis)), "テスト");

  const std::optional<BoundFolder> folder = ns.bind(under(desktop, latin1));
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(folder->location().path, desktop_ + "/" + latin1);
  EXPECT_EQ(folder->enumerate().value().size(), 1u);
}

TEST_F(ShellNamespaceTest, FolderLinksAreFollowedWithoutLooping) {
  tree_.folder("home/Desktop/holder/real");
  tree_.link("home/Desktop/holder/loop", ".");     // back to its own folder
  tree_.link("home/Desktop/holder/self", "self");  // a link to itself
  tree_.link("home/Desktop/holder/dangling", "nowhere");
  tree_.link("home/Desktop/toReal", tree_.path("home/Desktop/holder/real"));
  const ShellNamespace ns = shellNamespace();
  const ItemIdList desktop = ShellNamespace::desktopIds();
  EXPECT_EQ(childNames(under(desktop, "holder")), (std::vector<std::string>{"loop", "real"}));
  EXPECT_TRUE(ns.bind(desktop)->attributesOf(nameItem("toReal").value()).folder);

  // Each level down the loop shows the same folder again; the walk ends where the kernel stops
  // following links, never in a hang.
  ItemIdList ids = under(desktop, "holder");
  int depth = 0;
  for (; depth < 200; ++depth) {
    const std::optional<BoundFolder> folder = ns.bind(ids);
    if (!folder) break;
    const FolderAttributes loop = folder->attributesOf(nameItem("loop").value());
    if (!loop.folder) break;
    EXPECT_TRUE(loop.hasSubfolders);
    ids = under(ids, "loop");
  }
  EXPECT_GT(depth, 5);
  EXPECT_LT(depth, 200);
}

TEST_F(ShellNamespaceTest, ListsThatLeadNowhereDoNotBind) {
  const ShellNamespace ns = shellNamespace();
  const ItemIdList desktop = ShellNamespace::desktopIds();
  const ItemIdList computer = computerItem();
  const ItemIdList dotDot = ItemIdList::ofItem("..").value();
  const ItemIdList slashed = ItemIdList::ofItem("a/b").value();
  const ItemIdList computerInFolder = concatenate(nameItem("x").value(), computer);
  const ItemIdList nameInComputer = concatenate(computer, nameItem("etc").value());
  const ItemIdList anchorInFolder = concatenate(nameItem("x").value(), anchorItem("/etc").value());
  for (const ItemIdList& ids :
       {dotDot, slashed, computerInFolder, nameInComputer, anchorInFolder}) {
    EXPECT_FALSE(ns.bind(ids).has_value());
    EXPECT_EQ(ns.pathOf(ids), "");
  }
  // A folder that is gone does not bind either; the desktop binds without its folder.
  tree_.folder("home/Desktop/gone");
  const ItemIdList gone = under(desktop, "gone");
  EXPECT_TRUE(ns.bind(gone).has_value());
  std::filesystem::remove(tree_.path("home/Desktop/gone"));
  EXPECT_FALSE(ns.bind(gone).has_value());
  std::filesystem::remove(desktop_);
  const std::optional<BoundFolder> bare = ns.bind(desktop);
  ASSERT_TRUE(bare.has_value());
  EXPECT_EQ(bare->enumerate().value().size(), 2u);  // the computer and home
}

}  // namespace
}  // namespace tossbox
