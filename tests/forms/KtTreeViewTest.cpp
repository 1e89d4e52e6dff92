#include "forms/tree/KtTreeView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <filesystem>
#include <fstream>
#include <memory>

#include "TempHome.h"
#include "core/shellns/TItemIDs.h"

namespace tossbox {
namespace {

namespace fs = std::filesystem;

class KtTreeViewTest : public ::testing::Test {
 protected:
  KtTreeViewTest()
      : home_(temp_.home().string()),
        desktop_(home_ + "/Desktop"),
        mounts_((temp_.root() / "mounts").string()) {
    fs::create_directories(desktop_);
    std::ofstream(mounts_) << "/dev/sda1 / ext4 rw 0 0\n";
  }

  [[nodiscard]] std::unique_ptr<TKtTreeView> makeTree() const {
    return std::make_unique<TKtTreeView>(ShellNamespace(NamespacePlaces{desktop_, home_, mounts_}));
  }
  void mkdir(const std::string& relative) const {
    fs::create_directories(desktop_ + "/" + relative);
  }

  static QStringList captions(const QTreeWidgetItem* node) {
    QStringList result;
    for (int i = 0; i < node->childCount(); ++i) result << node->child(i)->text(0);
    return result;
  }
  // The child of `node` shown as `caption`; fails the test when there is none.
  static QTreeWidgetItem* child(const QTreeWidgetItem* node, const QString& caption) {
    for (int i = 0; i < node->childCount(); ++i) {
      if (node->child(i)->text(0) == caption) return node->child(i);
    }
    ADD_FAILURE() << "no node " << caption.toStdString();
    return nullptr;
  }
  static bool hasExpandButton(const QTreeWidgetItem* node) {
    return node->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
  }

  TempHome temp_;
  std::string home_;
  std::string desktop_;
  std::string mounts_;
};

TEST_F(KtTreeViewTest, ReloadShowsTheDesktopOpenOneLevelAndNothingDeeper) {
  mkdir("Alpha/inner");
  mkdir("beta");
  mkdir(".hidden/x");
  auto tree = makeTree();
  tree->ReloadTree();

  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree->topLevelItem(0);
  EXPECT_EQ(root->text(0), QStringLiteral("デスクトップ"));
  EXPECT_TRUE(root->isExpanded());
  EXPECT_EQ(captions(root), (QStringList{QStringLiteral("コンピュータ"), QStringLiteral("ホーム"),
                                         "Alpha", "beta"}));
  for (int i = 0; i < root->childCount(); ++i) {
    EXPECT_FALSE(root->child(i)->isExpanded());
    EXPECT_EQ(root->child(i)->childCount(), 0);
  }
  QTreeWidgetItem* computer = root->child(0);
  EXPECT_TRUE(hasExpandButton(computer));
  EXPECT_TRUE(hasExpandButton(child(root, "Alpha")));
  EXPECT_FALSE(hasExpandButton(child(root, "beta")));

  EXPECT_EQ(tree->PathOf(root), desktop_);
  EXPECT_EQ(tree->PathOf(computer), "");
  EXPECT_EQ(tree->PathOf(root->child(1)), home_);
  EXPECT_EQ(tree->PathOf(child(root, "Alpha")), desktop_ + "/Alpha");
  // Each node holds its own item IDs: the parent's absolute list and its own item.
  const TItemIDs* alphaIds = TKtTreeView::ItemIDsOf(child(root, "Alpha"));
  ASSERT_NE(alphaIds, nullptr);
  EXPECT_EQ(alphaIds->ParentIDs(), ShellNamespace::desktopIds());
  EXPECT_EQ(alphaIds->ChildID().items(), (std::vector<std::string_view>{"Alpha"}));

  // The computer has no path: nothing to choose. A real folder gives its path.
  std::vector<QTreeWidgetItem*> changes;
  QObject::connect(tree.get(), &TKtTreeView::Change,
                   [&changes](QTreeWidgetItem* node) { changes.push_back(node); });
  EXPECT_EQ(tree->SelectedPath(), "");
  tree->setCurrentItem(computer);
  EXPECT_EQ(changes, std::vector<QTreeWidgetItem*>{computer});
  EXPECT_EQ(tree->SelectedPath(), "");
  EXPECT_FALSE(tree->SelectedIsExistingFolder());
  tree->setCurrentItem(child(root, "Alpha"));
  EXPECT_EQ(changes.size(), 2u);
  EXPECT_EQ(tree->SelectedPath(), desktop_ + "/Alpha");
  EXPECT_TRUE(tree->SelectedIsExistingFolder());
  fs::remove_all(desktop_ + "/Alpha");
  EXPECT_FALSE(tree->SelectedIsExistingFolder());

  // Clearing loses the selection without a change; the next load starts collapsed again.
  tree->clear();
  EXPECT_EQ(changes.size(), 2u);
  EXPECT_EQ(tree->SelectedPath(), "");
  tree->ReloadTree();
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(captions(tree->topLevelItem(0)),
            (QStringList{QStringLiteral("コンピュータ"), QStringLiteral("ホーム"), "beta"}));
  EXPECT_FALSE(tree->topLevelItem(0)->child(0)->isExpanded());
}

TEST_F(KtTreeViewTest, ChildrenAreReadOnFirstOpeningOnlyUntilReload) {
  mkdir("beta/one");
  auto tree = makeTree();
  tree->ReloadTree();
  QTreeWidgetItem* beta = child(tree->topLevelItem(0), "beta");
  tree->expandItem(beta);
  EXPECT_TRUE(beta->isExpanded());
  EXPECT_EQ(captions(beta), QStringList{"one"});
  EXPECT_FALSE(hasExpandButton(beta->child(0)));

  mkdir("beta/two");
  mkdir("beta/one/deeper");
  tree->collapseItem(beta);
  tree->expandItem(beta);
  EXPECT_EQ(captions(beta), QStringList{"one"});
  EXPECT_FALSE(hasExpandButton(beta->child(0)));

  tree->clear();
  tree->ReloadTree();
  beta = child(tree->topLevelItem(0), "beta");
  tree->expandItem(beta);
  EXPECT_EQ(captions(beta), (QStringList{"one", "two"}));
  EXPECT_TRUE(hasExpandButton(child(beta, "one")));

  // The computer holds "/" first; its children are in the namespace's own order.
  QTreeWidgetItem* computer = tree->topLevelItem(0)->child(0);
  tree->expandItem(computer);
  ASSERT_GE(computer->childCount(), 1);
  EXPECT_EQ(tree->PathOf(computer->child(0)), "/");
  QTreeWidgetItem* slash = computer->child(0);
  tree->expandItem(slash);
  const BoundFolder root =
      tree->Namespace().bind(TKtTreeView::ItemIDsOf(slash)->AbsoluteIDs()).value();
  const std::vector<ItemIdList> items = root.enumerate().value();
  QStringList expected;
  for (const ItemIdList& item : items) {
    if (root.attributesOf(item).folder) {
      expected << QString::fromStdString(root.lookOf(item).displayName);
    }
  }
  EXPECT_EQ(captions(slash), expected);
}

TEST_F(KtTreeViewTest, OpeningIsRefusedWhereTheFolderCannotBeBound) {
  mkdir("gone/sub");
  auto tree = makeTree();
  tree->ReloadTree();
  QTreeWidgetItem* gone = child(tree->topLevelItem(0), "gone");
  ASSERT_TRUE(hasExpandButton(gone));

  fs::remove_all(desktop_ + "/gone");
  tree->expandItem(gone);
  EXPECT_FALSE(gone->isExpanded());
  EXPECT_EQ(gone->childCount(), 0);

  // Refused, not read: once the folder is back it opens.
  mkdir("gone/again");
  tree->expandItem(gone);
  EXPECT_TRUE(gone->isExpanded());
  EXPECT_EQ(captions(gone), QStringList{"again"});
}

TEST_F(KtTreeViewTest, PathsKeepSpacesAndBytesThatAreNotUtf8) {
  const std::string spaced = "two  words ";
  const std::string latin1 = "caf\xe9 d\xe9j\xe0";
  mkdir(spaced);
  mkdir(latin1 + "/inner dir");
  auto tree = makeTree();
  tree->ReloadTree();
  QTreeWidgetItem* root = tree->topLevelItem(0);
  QTreeWidgetItem* latinNode = nullptr;
  for (int i = 0; i < root->childCount(); ++i) {
    if (tree->PathOf(root->child(i)) == desktop_ + "/" + latin1) latinNode = root->child(i);
  }
  ASSERT_NE(latinNode, nullptr);
  EXPECT_FALSE(latinNode->text(0).isEmpty());
  EXPECT_EQ(tree->PathOf(child(root, QString::fromStdString(spaced))), desktop_ + "/" + spaced);

  tree->expandItem(latinNode);
  ASSERT_EQ(latinNode->childCount(), 1);
  tree->setCurrentItem(latinNode->child(0));
  EXPECT_EQ(tree->SelectedPath(), desktop_ + "/" + latin1 + "/inner dir");
  EXPECT_TRUE(tree->SelectedIsExistingFolder());
}

TEST_F(KtTreeViewTest, FolderLinksOpenOneLevelAtATime) {
  mkdir("holder");
  fs::create_directory_symlink(".", desktop_ + "/holder/loop");
  fs::create_directory_symlink("self", desktop_ + "/holder/self");
  auto tree = makeTree();
  tree->ReloadTree();
  QTreeWidgetItem* node = child(tree->topLevelItem(0), "holder");
  ASSERT_TRUE(hasExpandButton(node));
  for (int level = 0; level < 5; ++level) {
    tree->expandItem(node);
    ASSERT_EQ(captions(node), QStringList{"loop"});
    node = node->child(0);
    EXPECT_TRUE(hasExpandButton(node));
    EXPECT_EQ(node->childCount(), 0);
  }
  EXPECT_EQ(tree->PathOf(node), desktop_ + "/holder/loop/loop/loop/loop/loop");

  // "*" opens the current node only, not everything below it.
  tree->setCurrentItem(node);
  QKeyEvent star(QEvent::KeyPress, Qt::Key_Asterisk, Qt::NoModifier, QStringLiteral("*"));
  QApplication::sendEvent(tree.get(), &star);
  EXPECT_TRUE(node->isExpanded());
  ASSERT_EQ(node->childCount(), 1);
  EXPECT_FALSE(node->child(0)->isExpanded());
  EXPECT_EQ(node->child(0)->childCount(), 0);
}

}  // namespace
}  // namespace tossbox
